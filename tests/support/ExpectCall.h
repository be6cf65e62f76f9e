// The check of one call of a recorded GL stream (see RecordingGL.h, which
// stays free of the test framework so that other harnesses can link it).
#ifndef EXPECT_CALL_H
#define EXPECT_CALL_H

#include "RecordingGL.h"

#include <gtest/gtest.h>

#include <vector>

namespace glrec {

// The call is that entry point with exactly these arguments (each checked
// separately, so that a failure names what differs).
inline void expectCall(const Call& c, const char* name, const std::vector<double>& args) {
    EXPECT_EQ(c.name, name);
    EXPECT_EQ(c.args, args) << "arguments of " << name;
}

} // namespace glrec

#endif
