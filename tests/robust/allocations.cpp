// kestrola-allocations SCRIPT: plays a driver script (a long random session) through the
// driver's own start-up, commands and main loop, with every call into the allocator
// counted. Once the first frame is drawn the game's thread must not allocate again. Calls from
// the mixer's own playback thread are counted apart and only reported.
#include "rules/game_state.h"
#include "shell/replay_driver.cpp"
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>
#include <new>
#include <pthread.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<bool> counting{false};
pthread_t gameThread;
std::atomic<uint64_t> otherThreadCalls{0};
const char* gameFile = nullptr; // the executable: the game's code and ours

// Who asked, judged by the first caller outside the C and C++ runtimes: the game's own code, or
// one of the media libraries (the mixer, its decoders, the SDL layer) inside a call the game made.
constexpr int32_t SOURCES = 8;
const char* sourceName[SOURCES];
uint64_t sourceCalls[SOURCES];
constexpr int32_t KEPT = 3;
constexpr int32_t FRAMES = 14;
void* kept[SOURCES][KEPT][FRAMES];
int32_t keptFrames[SOURCES][KEPT];
thread_local bool insideNote = false;

bool runtime(const char* file)
{
    return std::strstr(file, "/libc.so") || std::strstr(file, "/libstdc++") ||
           std::strstr(file, "/libgcc") || std::strstr(file, "/libm.so");
}

void note()
{
    if (!counting.load(std::memory_order_relaxed) || insideNote) return;
    if (!pthread_equal(pthread_self(), gameThread)) {
        ++otherThreadCalls;
        return;
    }
    insideNote = true;
    void* frames[FRAMES];
    const int32_t depth = backtrace(frames, FRAMES);
    const char* source = "unknown";
    // Frame 0 is here, frame 1 the replaced allocator.
    for (int32_t i = 2; i < depth; ++i) {
        Dl_info info;
        if (!dladdr(frames[i], &info) || !info.dli_fname) continue;
        if (runtime(info.dli_fname)) continue;
        source = std::strcmp(info.dli_fname, gameFile) == 0 ? "the game" : info.dli_fname;
        break;
    }
    int32_t s = 0;
    while (s < SOURCES - 1 && sourceName[s] && std::strcmp(sourceName[s], source) != 0) ++s;
    sourceName[s] = source;
    if (sourceCalls[s] < KEPT) {
        keptFrames[s][sourceCalls[s]] = depth;
        std::memcpy(kept[s][sourceCalls[s]], frames, sizeof frames);
    }
    ++sourceCalls[s];
    insideNote = false;
}

} // namespace

extern "C" {
void* malloc(size_t size)
{
    note();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    note();
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size)
{
    note();
    return __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size)
{
    note();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** block, size_t alignment, size_t size)
{
    note();
    *block = __libc_memalign(alignment, size);
    return *block ? 0 : 12;
}
void free(void* block) { __libc_free(block); }
}

void* operator new(size_t size)
{
    note();
    if (void* block = __libc_malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete(void* block, size_t) noexcept { __libc_free(block); }
void operator delete[](void* block, size_t) noexcept { __libc_free(block); }

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrola-allocations SCRIPT\n");
        return 2;
    }
    std::vector<std::string> lines;
    if (!readScript(argv[1], lines)) return 2;
    gameThread = pthread_self();
    Dl_info self;
    if (!dladdr(reinterpret_cast<void*>(&note), &self) || !self.dli_fname) return 2;
    gameFile = self.dli_fname;
    // The first call loads the unwinder, which allocates; do it before counting starts.
    void* warm[2];
    backtrace(warm, 2);
    if (!startUp(ScriptedGame)) return 1;
    // The first frame is on the display now. Each line is read before counting and run while
    // counting: the driver's commands take nothing of their own for a line that is right.
    const uint32_t ticksAtStart = game.ticksRun;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Words words = wordsOf(lines[i]);
        if (words.empty()) continue;
        counting = true;
        const Outcome outcome = execute(words);
        counting = false;
        if (!outcome.error.empty()) {
            std::fprintf(stderr, "%zu: %s\n", i + 1, outcome.error.c_str());
            return 2;
        }
    }
    std::printf("%u virtual ms, %u ticks after the first frame; %llu allocations on the mixer's "
                "playback thread (not the game's)\n",
                virtualClockMs, game.ticksRun - ticksAtStart,
                static_cast<unsigned long long>(otherThreadCalls.load()));
    uint64_t ours = 0;
    for (int32_t s = 0; s < SOURCES && sourceName[s]; ++s) {
        const bool game = std::strcmp(sourceName[s], "the game") == 0;
        if (game) ours = sourceCalls[s];
        std::printf("%llu allocations on the game's thread asked for by %s%s\n",
                    static_cast<unsigned long long>(sourceCalls[s]), sourceName[s],
                    game ? "" : ", inside a call the game made into it");
        for (uint64_t k = 0; k < sourceCalls[s] && k < KEPT; ++k) {
            std::fflush(stdout);
            backtrace_symbols_fd(kept[s][k], keptFrames[s][k], STDOUT_FILENO);
            std::printf("\n");
        }
    }
    std::printf(ours == 0 ? "the game's own code allocated nothing\n"
                          : "the game's own code allocated after start-up\n");
    std::fflush(stdout);
    // Straight out: the game's own way out would add the shut-down to the count.
    std::_Exit(ours == 0 ? 0 : 1);
}
