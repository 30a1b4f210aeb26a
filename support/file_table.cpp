#include "support/file_table.h"

TextReader& FileTable::put(int number, TextReader reader) {
    close(number);
    return files_.emplace(number, std::move(reader)).first->second;
}

TextReader* FileTable::get(int number) {
    const auto it = files_.find(number);
    return it == files_.end() ? nullptr : &it->second;
}
