// The readers the program keeps open between user actions, under small numbers. Closing all files
// ends every one of them; in practice that is the answer log's browsing cursor.
#pragma once

#include "support/text_reader.h"

#include <map>

class FileTable {
  public:
    // Takes the reader under the number, closing whatever was open under it.
    TextReader& put(int number, TextReader reader);
    TextReader* get(int number);
    void close(int number) { files_.erase(number); }
    void closeAll() { files_.clear(); }
    bool anyOpen() const { return !files_.empty(); }

  private:
    std::map<int, TextReader> files_;
};
