#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli_runner.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

extern char** environ;

namespace orvandel::testing {
namespace {

namespace fs = std::filesystem;

class CliPictureOutput : public ::testing::Test {
protected:
    void SetUp() override { WriteWallSet(home.path()); }

    // Built front to back: GCC 12 at -O3 warns, wrongly, about inserting at the front.
    std::vector<std::string> Render(const std::vector<std::string>& options) {
        std::vector<std::string> command;
        command.reserve(options.size() + 1);
        command.emplace_back("render");
        command.insert(command.end(), options.begin(), options.end());
        return command;
    }

    TempFolder home;
};

struct OutputCase {
    std::vector<std::string> options;
    std::string file;  // the same picture written to a file
};

TEST_F(CliPictureOutput, StandardOutputGetsExactlyTheFilesBytesAndNothingElse) {
    std::vector<OutputCase> cases = {
        {{"--at", "3,4,E", "--even-odd"}, "view.bmp"},
        {{"--size", "128"}, "view.bmp"},  // reduced: 24-bit
        {{"--size", "500"}, "odd-name"},  // enlarged twice; --format bmp is the default for -
    };
    cases.push_back({{"--format", "PNG", "--size", "100"}, "view.png"});
    for (const OutputCase& c : cases) {
        std::vector<std::string> toFile = Render(c.options);
        toFile.insert(toFile.end(), {"--output", c.file});
        if (c.file == "odd-name") {
            toFile.insert(toFile.end(), {"--format", "bmp"});
        }
        ASSERT_EQ(RunCli(home.path(), toFile).status, 0);
        std::vector<std::string> toStdout = Render(c.options);
        toStdout.insert(toStdout.end(), {"--output", "-"});
        const CliResult piped = RunCli(home.path(), toStdout);
        EXPECT_EQ(piped.status, 0) << piped.err;
        EXPECT_EQ(piped.err, "");
        const std::vector<unsigned char> expected = ReadFileBytes(home / c.file);
        EXPECT_EQ(std::vector<unsigned char>(piped.out.begin(), piped.out.end()), expected)
            << c.file << " with " << c.options.size() << " options";
        EXPECT_FALSE(fs::exists(home / "-"));
    }
}

TEST_F(CliPictureOutput, NoPartialWritesNothingForABrokenSet) {
    fs::remove(DefaultPicturePath(home.path(), 3));
    WriteFileText(home / "kept.bmp", "old");
    const CliResult result = RunCli(home.path(), Render({"--no-partial", "--output", "kept.bmp"}));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReadText(home / "kept.bmp"), "old");
    const CliResult piped = RunCli(home.path(), Render({"--no-partial", "--output", "-"}));
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.out, "");
    // Without it the partial view is still written, as before.
    EXPECT_EQ(RunCli(home.path(), Render({"--output", "kept.bmp"})).status, 1);
    EXPECT_EQ(ReadText(home / "kept.bmp").substr(0, 2), "BM");
}

// Where a run's standard output goes when it cannot take what is written.
enum class BrokenOutput { kClosedPipe, kFullDevice, kClosed };

// Runs the tool with standard output that fails every write.
struct ClosedPipeRun {
    int status = -1;
    bool killedBySignal = false;
    std::string err;
};

ClosedPipeRun RunIntoClosedPipe(const fs::path& folder, std::vector<std::string> arguments,
                                BrokenOutput output = BrokenOutput::kClosedPipe) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    close(pipeEnds[0]);
    const fs::path errFile = folder / "stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == BrokenOutput::kClosedPipe) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    } else if (output == BrokenOutput::kFullDevice) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> command;
    command.reserve(arguments.size() + 3);
    command.emplace_back(ORVANDEL_CLI_PATH);
    command.insert(command.end(), arguments.begin(), arguments.end());
    if (arguments[0] != "palette" && arguments[0] != "pieces") {
        command.emplace_back("--home");
        command.emplace_back(folder.string());
    }
    arguments = std::move(command);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, ORVANDEL_CLI_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    int raw = 0;
    waitpid(child, &raw, 0);
    ClosedPipeRun run;
    run.killedBySignal = WIFSIGNALED(raw);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = ReadText(errFile);
    fs::remove(errFile);
    return run;
}

TEST_F(CliPictureOutput, AClosedPipeEndsQuietlyWithAFailingStatus) {
    for (const char* size : {"224", "4096"}) {  // one write, and many
        const ClosedPipeRun run =
            RunIntoClosedPipe(home.path(), {"render", "--size", size, "--output", "-"});
        EXPECT_FALSE(run.killedBySignal) << size;
        EXPECT_EQ(run.status, 1) << size;
        EXPECT_EQ(run.err, "") << size;
    }
}

// Output asked for and lost is a failure of every command, said with its reason.
TEST_F(CliPictureOutput, EveryCommandReportsAStandardOutputThatFails) {
    WriteFileText(home / "set.Pelorim", "[BMP]\n");
    const std::vector<std::vector<std::string>> commands = {
        {"check"},
        {"check", "--json", "-q"},
        {"palette", (home / "wallpalette.pal").string()},
        {"pieces"},
        {"export"},
        {"render", "--output", "-"},
    };
    for (const auto& command : commands) {
        for (const auto& [output, reason] :
             {std::pair{BrokenOutput::kFullDevice, "No space left on device"},
              std::pair{BrokenOutput::kClosed, "Bad file descriptor"}}) {
            const ClosedPipeRun run = RunIntoClosedPipe(home.path(), command, output);
            EXPECT_EQ(run.status, 1) << command[0] << " " << reason;
            EXPECT_NE(run.err.find(std::string("standard output could not be written: ") + reason),
                      std::string::npos)
                << command[0] << ": " << run.err;
        }
    }
}

// Quiet silences the tool's remarks, never what was asked for.
TEST_F(CliPictureOutput, QuietStillWritesWhatWasAskedFor) {
    const CliResult picture = RunCli(home.path(), {"render", "-q", "--output", "-"});
    EXPECT_EQ(picture.status, 0);
    EXPECT_EQ(picture.out.size(), 31542u);
    // Named as a file, standard output still gets the picture alone; the remark goes aside.
    const CliResult named =
        RunCli(home.path(), {"render", "--format", "bmp", "--output", "/dev/stdout"});
    EXPECT_EQ(named.out, picture.out);
    EXPECT_TRUE(fs::is_symlink("/dev/stdout"));
    const CliResult json = RunCli(home.path(), {"check", "-q", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{", 0), 0u) << json.out;
    const CliResult quiet = RunCli(home.path(), {"export", "-q"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");
}

}  // namespace
}  // namespace orvandel::testing
