// Start-up of the real game program in a scratch folder: what it logs, and how a missing or
// unreadable picture ends it.
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

// A scratch working folder holding a copy of the generated assets.
class ScratchFolder {
  public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/kestrola-startup-XXXXXX";
        path = mkdtemp(pattern);
        run("cp -r '" KESTROLA_ASSET_DIR "/Images' '" KESTROLA_ASSET_DIR "/Music' '" KESTROLA_ASSET_DIR
            "/Sfx' .");
    }
    ~ScratchFolder() { std::system(("rm -rf '" + path + "'").c_str()); }

    // Runs a shell command inside the folder and returns its exit status.
    int run(const std::string& command) const
    {
        const int status = std::system(("cd '" + path + "' && " + command).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int runGame() const
    {
        return run("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 20 '" KESTROLA_GAME "'");
    }
    std::string log() const
    {
        std::ifstream file(path + "/logFile.txt");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string path;
};

const char* const LINES_BEFORE_THE_IMAGES = "audio mixer successfully initialized\n"
                                            "screen successfully initialized\n"
                                            "Program started\n"
                                            "begin initializing images\n";

TEST(StartUp, AMissingImageEndsTheProgramWithItsLogLine)
{
    ScratchFolder folder;
    folder.run("rm Images/field.bmp");
    EXPECT_EQ(folder.runGame(), 1);
    EXPECT_EQ(folder.log(), std::string(LINES_BEFORE_THE_IMAGES) +
                                "Failed to load image Images/field.bmp. Exiting program\n");
}

TEST(StartUp, AFileThatIsNotABitmapEndsTheProgramLikeAMissingOne)
{
    ScratchFolder folder;
    folder.run("echo 'not a picture' > Images/arrows.bmp");
    EXPECT_EQ(folder.runGame(), 1);
    EXPECT_EQ(folder.log(), std::string(LINES_BEFORE_THE_IMAGES) +
                                "Failed to load image Images/arrows.bmp. Exiting program\n");
}

TEST(StartUp, AnEarlierLogIsTruncated)
{
    ScratchFolder folder;
    folder.run("yes 'an old line' | head -n 1000 > logFile.txt; rm Images/shade.bmp");
    EXPECT_EQ(folder.runGame(), 1);
    EXPECT_EQ(folder.log(), std::string(LINES_BEFORE_THE_IMAGES) +
                                "Failed to load image Images/shade.bmp. Exiting program\n");
}

} // namespace
