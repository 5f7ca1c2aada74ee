#include <random>

#include "file_replace/replace_target.h"

std::string temporary_file_name() {
    static constexpr char LETTERS[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof LETTERS) - 2);
    std::string name = "~mepu";
    for (int i = 0; i < 8; ++i) {
        name += LETTERS[pick(random)];
    }
    return name + ".tmp";
}
