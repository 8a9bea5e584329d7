#pragma once

#include <string>

namespace orvane {

class SystemInfo;

// True on the home computer: one whose name holds "kestrow" in any case.
bool IsHomeMachine(const SystemInfo& system);

// The characters of `buffer` from 1-based position `start` up to the first NUL (or the end).
std::string TrimAtNul(const std::string& buffer, int start);

} // namespace orvane
