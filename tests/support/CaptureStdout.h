// Captures what the code under test writes to std::cout, as raw bytes, so a
// test can compare console texts exactly (they are ISO 8859-1: e-acute is the
// single byte 0xE9).
#ifndef CAPTURE_STDOUT_H
#define CAPTURE_STDOUT_H

#include <iostream>
#include <sstream>
#include <string>

class CaptureStdout {
  public:
    CaptureStdout() : old_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CaptureStdout() { std::cout.rdbuf(old_); }
    CaptureStdout(const CaptureStdout&) = delete;
    CaptureStdout& operator=(const CaptureStdout&) = delete;

    std::string str() const { return buffer_.str(); }

  private:
    std::ostringstream buffer_;
    std::streambuf* old_;
};

// A string buffer that counts the flushes it receives: put in place of
// std::cout's buffer, it shows whether a text was flushed and how often.
class CountingBuf : public std::stringbuf {
  public:
    int syncs = 0;

  protected:
    int sync() override {
        ++syncs;
        return std::stringbuf::sync();
    }
};

#endif
