// setup_sample SEED FOLDER: writes five setup files, setup-1.txt to
// setup-5.txt, each the program's own setup writer over an instrument set to a
// random valid setup. The same seed gives the same files.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "instrument/instrument.h"
#include "instrument/setup_file.h"
#include "instrument/tests/random_setup.h"

namespace {

constexpr int kFileCount = 5;
const CSetupOrigin kOrigin{"2026-01-01T00:00:00Z", "A.01.01", ""};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: setup_sample SEED FOLDER\n");
    return 2;
  }
  std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
  for (int file = 1; file <= kFileCount; ++file) {
    CInstrument instrument;
    for (const CSetupStep& step : RandomValidSetup(random)) instrument.SetSetting(*step.m_row, step.m_value);
    std::string path = std::string(argv[2]) + "/setup-" + std::to_string(file) + ".txt";
    std::ofstream out(path, std::ios::binary);
    out << WriteSetup(instrument, kOrigin);
    if (!out.flush()) {
      std::fprintf(stderr, "setup_sample: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
