#pragma once

// The temporary files a save writes beside the file it replaces, named
// ".<file>.tmp-<process id>-<count>", and the clean-up of those that saves
// killed half way left behind. Shared by each system's file code, which
// says how to tell whether a process still runs.

#include <filesystem>
#include <string>

// A name in the file's folder that no other save uses at the same time.
std::filesystem::path TemporaryName(const std::filesystem::path& target, long long ownProcess);

// Removes the temporary files of saves that were killed half way: those
// whose process is gone, and those older than a save ever takes whose
// process id another program has since been given. A save in progress in
// another running game is left alone, and so are this process's own.
void RemoveStaleTemporaries(const std::filesystem::path& target, long long ownProcess,
                            bool (*isLiveProcess)(long long process));
