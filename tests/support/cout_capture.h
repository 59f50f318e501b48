#ifndef TARNLINK_TESTS_COUT_CAPTURE_H
#define TARNLINK_TESTS_COUT_CAPTURE_H

#include <iostream>
#include <sstream>
#include <string>

// Collects what the library writes to its diagnostic stream (std::cout) while
// the object lives.
class CoutCapture {
public:
    CoutCapture() : previous_(std::cout.rdbuf(captured_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(previous_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string Text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* previous_;
};

#endif
