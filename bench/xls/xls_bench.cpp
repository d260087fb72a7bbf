// Prints how long the workbook engine takes, and how much memory it needs, to build
// and save one sheet of 65,535 rows x 12 text columns, and to load it and read every
// cell. Each phase runs in its own process so that its peak memory is its own. Both
// wall and CPU time are printed: on a shared machine the CPU time is the steadier.
//
//   xls_bench [FOLDER]      runs both phases (the file goes to FOLDER, default /tmp)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/xls/workbook.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kRows = 65535;
constexpr uint16_t kColumns = 12;

// Texts of 10 to 40 characters, kept end to end in one buffer so that the input
// weighs little beside the engine; a third of the cells repeat one of 500 texts.
struct Input {
    std::string characters;
    std::vector<uint32_t> starts{0};
    std::string_view Text(size_t i) const { return std::string_view(characters).substr(starts[i], starts[i + 1] - starts[i]); }
};

Input MakeInput() {
    std::mt19937 random(42);
    Input input;
    auto addText = [&] {
        for (size_t n = 10 + random() % 31; n > 0; --n) input.characters += char('a' + random() % 26);
        input.starts.push_back(uint32_t(input.characters.size()));
    };
    for (int i = 0; i < 500; ++i) addText();
    for (size_t cell = 0; cell < size_t(kRows) * kColumns; ++cell) {
        if (random() % 3 == 0) {
            size_t again = random() % 500;
            input.characters += input.Text(again);
            input.starts.push_back(uint32_t(input.characters.size()));
        } else {
            addText();
        }
    }
    return input;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// CPU time of this process (user and system), in seconds.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

int BuildAndSave(const std::filesystem::path& file) {
    const Input input = MakeInput();
    double inputMegabytes = PeakMegabytes();
    auto start = Clock::now();
    double cpuStart = CpuSeconds();
    auto book = tabvex::xls::Workbook::CreateNew({"Data"});
    auto& sheet = book.Sheet(0);
    std::vector<std::string> row(kColumns);
    for (size_t r = 0; r < kRows; ++r) {
        for (size_t c = 0; c < kColumns; ++c) row[c] = input.Text(500 + r * kColumns + c);
        sheet.AppendRow(row);
    }
    double buildSeconds = SecondsSince(start), buildCpu = CpuSeconds() - cpuStart;
    book.Save(file);
    double seconds = SecondsSince(start), cpu = CpuSeconds() - cpuStart;
    std::printf("build+save %u rows x %u text columns: %.3f s (build %.3f s, save %.3f s), "
                "cpu %.3f s (build %.3f s, save %.3f s), peak %.1f MB "
                "(%.1f MB of it the program with its input), file %.1f MB\n",
                kRows, kColumns, seconds, buildSeconds, seconds - buildSeconds, cpu, buildCpu, cpu - buildCpu,
                PeakMegabytes(), inputMegabytes, std::filesystem::file_size(file) / 1048576.0);
    return 0;
}

int LoadAndRead(const std::filesystem::path& file) {
    auto start = Clock::now();
    double cpuStart = CpuSeconds();
    auto book = tabvex::xls::Workbook::Open(file);
    size_t cells = 0, characters = 0;
    book.Sheet(0).ForEachCell([&](uint32_t, uint16_t, const tabvex::xls::CellValue& value) {
        ++cells;
        characters += value.text.size();
    });
    double seconds = SecondsSince(start), cpu = CpuSeconds() - cpuStart;
    std::printf("load+read every cell: %zu cells, %zu characters: %.3f s, cpu %.3f s, peak %.1f MB\n", cells,
                characters, seconds, cpu, PeakMegabytes());
    return cells == size_t(kRows) * kColumns ? 0 : 1;
}

int RunPhase(const char* self, const char* phase, const std::filesystem::path& file) {
    pid_t child = fork();
    if (child == 0) {
        execl(self, self, phase, file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string first = argc > 1 ? argv[1] : "";
    if (first == "--build" && argc > 2) return BuildAndSave(argv[2]);
    if (first == "--load" && argc > 2) return LoadAndRead(argv[2]);
    std::filesystem::path folder = first.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(first);
    auto file = folder / "tabvex_xls_bench.xls";
    int status = RunPhase("/proc/self/exe", "--build", file);
    if (status == 0) status = RunPhase("/proc/self/exe", "--load", file);
    std::filesystem::remove(file);
    return status;
}
