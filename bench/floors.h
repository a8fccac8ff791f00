#pragma once

// What every benchmark of a player's operation shares: rounds that time the tool and its floor side by side,
// in alternating order, and report medians; the floors themselves, each the physical minimum of the same work
// done by the plainest system calls; and a game reached as the tool reaches it in play, through the
// upper-cased "C:\..." path of a Wine prefix.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game/gamepaths.h"
#include "support/tempdir.h"

namespace hartool::bench {

template <class Call>
double seconds(Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Each iteration of state is one round: prepare (untimed, for both), then the floor and the tool, the first
// of them taking turns from round to round so that neither always finds the caches the other left. One
// untimed round first settles what a first call does once (folders made, listings cached). Reports the
// medians of the tool's and the floor's times and of the rounds' ratios.
template <class Prepare, class Tool, class Floor>
void alternate(benchmark::State& state, Prepare prepare, Tool tool, Floor floor) {
    prepare();
    tool();
    floor();
    std::vector<double> tools, floors, ratios;
    bool floorFirst = true;
    for (auto _ : state) {
        prepare();
        double t = 0, f = 0;
        if (floorFirst) {
            f = seconds(floor);
            t = seconds(tool);
        } else {
            t = seconds(tool);
            f = seconds(floor);
        }
        floorFirst = !floorFirst;
        tools.push_back(t);
        floors.push_back(f);
        ratios.push_back(t / f);
        state.SetIterationTime(t);
    }
    state.counters["time_ms"] = median(tools) * 1e3;
    state.counters["floor_ms"] = median(floors) * 1e3;
    state.counters["x_floor"] = median(ratios);
}

// --- floors ---

// The whole file into memory with one fstat and reads into room sized once.
inline std::string readRaw(const std::string& native) {
    std::string bytes;
    const int fd = ::open(native.c_str(), O_RDONLY);
    if (fd < 0) return bytes;
    struct stat st;
    if (::fstat(fd, &st) == 0) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    ::close(fd);
    return bytes;
}

// The bytes split at line feeds into views.
inline std::size_t splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const void* hit = std::memchr(text.data() + pos, '\n', text.size() - pos);
        const std::size_t end =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    benchmark::DoNotOptimize(lines.data());
    return lines.size();
}

// The bytes on disk, durably: written and synced, nothing more.
inline void storeDurably(const std::string& native, std::string_view bytes) {
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

// What "cp -p" does for one file: the bytes, the mode and the times.
inline void copyPreserving(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY);
    if (in < 0) return;
    struct stat st;
    ::fstat(in, &st);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, st.st_mode & 07777);
    if (out >= 0) {
        char buf[65536];
        for (ssize_t n; (n = ::read(in, buf, sizeof buf)) > 0;)
            if (::write(out, buf, static_cast<std::size_t>(n)) != n) break;
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
        ::close(out);
    }
    ::close(in);
}

// What "sync -f" does: the file system holding path to disk.
inline void syncFileSystem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::syncfs(fd);
    ::close(fd);
}

// The folder's names sorted, then each file opened and its first line read: one short read, as a title line
// is a few dozen bytes.
inline std::size_t firstLinesFloor(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.') names.emplace_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::size_t titleBytes = 0;
    char line[256];
    for (const std::string& name : names) {
        const int fd = ::open((folder + "/" + name).c_str(), O_RDONLY);
        if (fd < 0) continue;
        const ssize_t n = ::read(fd, line, sizeof line);
        if (n > 0) {
            const void* end = std::memchr(line, '\n', static_cast<std::size_t>(n));
            titleBytes += end ? static_cast<std::size_t>(static_cast<const char*>(end) - line)
                              : static_cast<std::size_t>(n);
        }
        ::close(fd);
    }
    return titleBytes;
}

// --- peak memory ---

// The environment variable naming the file where a child started by peakOfChild leaves its peak.
inline constexpr const char* kPeakFileVariable = "HARTOOL_BENCH_PEAK_FILE";

// This process's own largest resident size in MB ("VmHWM"): unlike the child's ru_maxrss, which holds the
// size of the process it was forked from, as it was when it called exec.
inline double ownPeakMB() {
    // A file of /proc has no size to read by: read until its end.
    std::string status;
    if (const int fd = ::open("/proc/self/status", O_RDONLY); fd >= 0) {
        char buf[4096];
        for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) status.append(buf, static_cast<std::size_t>(n));
        ::close(fd);
    }
    const std::size_t at = status.find("VmHWM:");
    return at == std::string::npos ? 0 : std::strtod(status.c_str() + at + 6, nullptr) / 1024;
}

// In a child that peakOfChild started: its peak into the file the parent named.
inline void leavePeak() {
    if (const char* file = std::getenv(kPeakFileVariable)) storeDurably(file, std::to_string(ownPeakMB()));
}

// Runs this program with args in a process of its own and returns the child's peak in MB; 0 when it failed.
inline double peakOfChild(const std::vector<std::string>& args, const std::string& peakFile) {
    std::vector<char*> argv{const_cast<char*>("/proc/self/exe")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::setenv(kPeakFileVariable, peakFile.c_str(), 1);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::unsetenv(kPeakFileVariable);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
    return std::strtod(readRaw(peakFile).c_str(), nullptr);
}

// --- a game in a Wine prefix ---

// A Wine prefix of its own with the game's folder where the default game path finds it. The tool's paths are
// the upper-cased "C:\PROGRAM FILES\..." of play, so every component needs the case-insensitive look-up.
// Use makes the prefix the one in force ($WINEPREFIX), as benchmarks run one after another.
struct WineGame {
    test::TempDir dir;
    std::filesystem::path native;  // the game folder as the disk spells it
    GameFolders folders;

    WineGame() {
        native = dir.path() / "drive_c" / "Program Files" / "Vantrope" / "Harvane!";
        std::filesystem::create_directories(native);
        folders = GameFolders::fromGamePath(PATHOK(kDefaultGamePath));
    }
    void use() const { ::setenv("WINEPREFIX", dir.path().c_str(), 1); }
    // An installed game's folders have not changed for a while (folders changed just now are never cached).
    void settle() const {
        const auto settled = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (auto it = std::filesystem::recursive_directory_iterator(dir.path());
             it != std::filesystem::recursive_directory_iterator(); ++it)
            if (it->is_directory()) std::filesystem::last_write_time(it->path(), settled);
    }
};

}  // namespace hartool::bench
