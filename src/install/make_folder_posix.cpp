#include "install/make_folder.h"

#include <sys/stat.h>

bool make_folder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }

// Linux paths are UTF-8: no byte of a multi-byte character equals a separator.
bool is_lead_byte(unsigned char) { return false; }
