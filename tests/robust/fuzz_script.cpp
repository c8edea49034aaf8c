// Random scripts through the driver's reader and commands: every input either runs to its end,
// leaves the game through one of its ways out, or stops at a line with a one-line message.
// The game starts once; inputs follow one another on whatever the previous one left.
#include "shell/replay_driver.cpp"
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A way out of the game during an input: the game would end here with this status.
struct GameLeft {
    int status;
};

bool insideInput = false;

// Counts that would keep one input busy for minutes are real scripts too, but the fuzzer
// learns nothing from them; such inputs are left out, as are shots, which write files.
bool worthRunning(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        const Words words = wordsOf(line);
        if (words.empty()) continue;
        const std::string& command = words[0];
        if (command == "shot") return false;
        const bool timed = command == "wait" || command == "ticks" || command == "stall" ||
                           command == "settle" || command == "until-mode-changes";
        if (!timed) continue;
        if ((command == "settle" || command == "until-mode-changes") && words.size() < 2)
            return false;
        for (size_t i = 1; i < words.size(); ++i) {
            int64_t n = 0;
            if (parseInteger(words[i], n) && (n > 3000 || n < 0)) return false;
        }
    }
    return true;
}

} // namespace

extern "C" [[noreturn]] void __real_exit(int status);

extern "C" [[noreturn]] void __wrap_exit(int status)
{
    if (insideInput) throw GameLeft{status};
    __real_exit(status);
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    useVirtualClock = 1;
    virtualClockMs = 0;
    startRecording();
    if (!startUp()) {
        std::fprintf(stderr, "the game could not start here\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines;
    std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t from = 0; from <= text.size();) {
        const size_t end = std::min(text.find('\n', from), text.size());
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    if (!worthRunning(lines)) return -1;
    pendingStall = 0;
    insideInput = true;
    try {
        for (size_t i = 0; i < lines.size(); ++i) {
            const Words words = wordsOf(lines[i]);
            if (words.empty()) continue;
            const Outcome outcome = execute(words);
            if (!outcome.error.empty()) {
                // The driver ends with status 2 after printing this: it must be one line
                // holding the line number and a message.
                char printed[1024];
                const int length = std::snprintf(printed, sizeof printed, "%zu: %s\n", i + 1,
                                                 outcome.error.c_str());
                const char* end = std::strchr(printed, '\n');
                const char* colon = std::strstr(printed, ": ");
                if (length <= 0 || !end || !colon || colon + 2 >= end) std::abort();
                if (static_cast<size_t>(length) < sizeof printed && end != printed + length - 1)
                    std::abort();
                break;
            }
        }
    } catch (const GameLeft& left) {
        if (left.status != 1) std::abort();
    }
    insideInput = false;
    // The dumps of an input are not read here; keep standard output small.
    std::fflush(stdout);
    return 0;
}
