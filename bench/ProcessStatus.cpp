#include "ProcessStatus.h"

#include <cstring>
#include <fstream>
#include <string>

long processStatusKilobytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ':';
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}
