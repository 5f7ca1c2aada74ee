#include "mpa_bytes.h"

#include <fstream>

std::vector<uint8_t> tokens_with_black_lead(int black) {
    std::vector<uint8_t> tokens{uint8_t(black - 1)};
    int remaining = 320 * 240 - black;
    while (remaining > 0) {
        const int run = remaining > 128 ? 128 : remaining;
        tokens.push_back(uint8_t(127 + run));
        remaining -= run;
    }
    return tokens;
}

int black_lead(const std::vector<uint8_t>& top_first) {
    int n = 0;
    while (n < 320 && top_first[size_t(n)] == 0) ++n;
    return n;
}

TempFile::TempFile(const std::vector<uint8_t>& bytes) {
    path_ = folder_.file("anime.mpa");
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
