#include <gtest/gtest.h>

#include "platform/KeyTable.h"

using korvath::platform::KeyTable;

TEST(KeyTable, AsyncStateBitsAndTheirConsumption) {
    KeyTable keys;
    EXPECT_EQ(keys.AsyncKeyState(65), 0);
    keys.Press(65);
    EXPECT_EQ(keys.AsyncKeyState(65), -32767);  // down and pressed: 0x8001
    EXPECT_EQ(keys.AsyncKeyState(65), static_cast<int16_t>(0x8000));
    keys.Release(65);
    EXPECT_EQ(keys.AsyncKeyState(65), 0);
    keys.Press(66);
    keys.Release(66);
    EXPECT_EQ(keys.AsyncKeyState(66), 1);
    EXPECT_EQ(keys.AsyncKeyState(66), 0);
    keys.Press(0);
    keys.Press(300);
    EXPECT_EQ(keys.AsyncKeyState(300), 0);
    EXPECT_EQ(keys.AsyncKeyState(-1), 0);
}
