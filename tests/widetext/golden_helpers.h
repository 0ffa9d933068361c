#pragma once
// Reference pictures for what the font decides: a rendered control is
// written as <name>.png beside the test program (in the build tree, from
// whatever folder it runs) for a person to look at, and compared pixel by
// pixel with tests/widetext/golden/<name>.png. With VELTROSA_UPDATE_GOLDEN
// set in the environment the reference is rewritten instead (look at it
// before committing it).

#include <gtest/gtest.h>

#include <QImage>

#include <string>

namespace golden {

::testing::AssertionResult MatchesGolden(const QImage& Image, const std::string& Name);

}  // namespace golden
