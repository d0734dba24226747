// The folder in which VXIplug&play installers put instrument drivers for a
// program of this one's bitness: <root>\WinNT\Bin (32-bit) or <root>\Win64\Bin
// (64-bit) under the framework root. No installer rule puts it on PATH.
#pragma once

#include <string>

// Empty when no root is known.
std::string VxiPnpDriverFolder();

// The root is the first absolute folder of: the registry's value, the
// environment variable of this bitness, and "<Program Files>\IVI Foundation\VISA".
std::string VxiPnpDriverFolder(const std::string& registryRoot, const std::string& variableRoot,
                               const std::string& programFiles);
