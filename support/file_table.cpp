#include "support/file_table.h"

TextFile& FileTable::put(int number, std::unique_ptr<TextFile> file) {
    close(number);
    auto& slot = files_[number];
    slot = std::move(file);
    return *slot;
}

TextFile* FileTable::get(int number) const {
    const auto it = files_.find(number);
    return it == files_.end() ? nullptr : it->second.get();
}

void FileTable::close(int number) {
    const auto it = files_.find(number);
    if (it == files_.end())
        return;
    it->second->abandon();
    files_.erase(it);
}

void FileTable::closeAll() {
    for (auto& [number, file] : files_)
        file->abandon();
    files_.clear();
}
