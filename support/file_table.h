// The files the program keeps open between user actions, under small numbers. Closing all files
// ends every one of them; in practice that is the answer log's browsing cursor.
#pragma once

#include "support/text_file.h"

#include <map>
#include <memory>

class FileTable {
  public:
    // Takes the file under the number, closing whatever was open under it.
    TextFile& put(int number, std::unique_ptr<TextFile> file);
    TextFile* get(int number) const;
    void close(int number);
    void closeAll();
    bool anyOpen() const { return !files_.empty(); }

  private:
    std::map<int, std::unique_ptr<TextFile>> files_;
};
