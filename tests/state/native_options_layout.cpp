// The options file image: byte layout, partial and oversize files, damaged
// strings and values.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "state/options_layout.h"

namespace {

// The start values as the main window has them when the file is read.
Options startValues()
{
    Options o = defaultOptions();
    o.windowRect.left = 100;
    o.windowRect.top = 100;
    return o;
}

Options sample()
{
    Options o = {};
    o.alwaysOnTop = 0;
    o.silent = 1;
    o.forceAction = 1;
    o.windowRect = {300, -20, 520, 45};
    std::strcpy(o.hostName, "router.example");
    o.forceIfHung = 1;
    o.powerAction = Hibernate;
    o.clockMinute = 30;
    o.clockHour = 21;
    std::strcpy(o.skinName, "aozora");
    return o;
}

std::vector<unsigned char> image(const Options& o)
{
    std::vector<unsigned char> bytes(kOptionsFileSize);
    encodeOptions(o, bytes.data());
    return bytes;
}

int32_t intAt(const std::vector<unsigned char>& b, size_t offset)
{
    return static_cast<int32_t>(b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) |
                                (static_cast<uint32_t>(b[offset + 3]) << 24));
}

TEST(OptionsImage, FieldsAtTheirOffsetsLittleEndian)
{
    const std::vector<unsigned char> b = image(sample());
    ASSERT_EQ(1324u, b.size());
    EXPECT_EQ(0, intAt(b, 0));
    EXPECT_EQ(1, intAt(b, 4));
    EXPECT_EQ(1, intAt(b, 8));
    EXPECT_EQ(300, intAt(b, 12));
    EXPECT_EQ(0xEC, b[16]) << "-20 little-endian";
    EXPECT_EQ(0xFF, b[19]);
    EXPECT_EQ(520, intAt(b, 20));
    EXPECT_EQ(45, intAt(b, 24));
    EXPECT_EQ(std::string("router.example"), reinterpret_cast<const char*>(&b[28]));
    EXPECT_EQ(1, intAt(b, 1052));
    EXPECT_EQ(3, intAt(b, 1056));
    EXPECT_EQ(30, intAt(b, 1060)) << "minute before hour";
    EXPECT_EQ(21, intAt(b, 1064));
    EXPECT_EQ(std::string("aozora"), reinterpret_cast<const char*>(&b[1068]));
}

TEST(OptionsImage, StringFieldsAreWrittenWhole)
{
    Options o = sample();
    std::memset(o.hostName, 'x', sizeof o.hostName);
    o.hostName[3] = '\0'; // the bytes after the terminator go out as they are
    const std::vector<unsigned char> b = image(o);
    EXPECT_EQ('x', b[28 + 1023]);
    EXPECT_EQ(0, b[28 + 3]);
    EXPECT_EQ(1, intAt(b, 1052)) << "the next field is not disturbed";
}

TEST(OptionsDecode, FullFileGivesBackTheSameValues)
{
    const Options written = sample();
    const std::vector<unsigned char> b = image(written);
    Options read = startValues();
    ASSERT_TRUE(decodeOptions(b.data(), b.size(), read));
    EXPECT_EQ(0, std::memcmp(&written, &read, sizeof read));

    // And the defaults survive the trip as well.
    const Options start = startValues();
    const std::vector<unsigned char> d = image(start);
    read = sample();
    ASSERT_TRUE(decodeOptions(d.data(), d.size(), read));
    EXPECT_EQ(0, std::memcmp(&start, &read, sizeof read));
}

TEST(OptionsDecode, PartialAndOversizeFiles)
{
    struct Case {
        size_t size;
        int32_t alwaysOnTop, silent, left, bottom;
        const char* host;
        int32_t forceIfHung, powerAction, minute, hour;
        const char* skin;
    } cases[] = {
        {4, 0, 0, 100, 0, "", 0, 0, 55, 7, ""},
        {8, 0, 1, 100, 0, "", 0, 0, 55, 7, ""},
        {28, 0, 1, 300, 45, "", 0, 0, 55, 7, ""},
        {29, 0, 1, 300, 45, "r", 0, 0, 55, 7, ""},
        {1051, 0, 1, 300, 45, "router.example", 0, 0, 55, 7, ""},
        {1052, 0, 1, 300, 45, "router.example", 0, 0, 55, 7, ""},
        {1056, 0, 1, 300, 45, "router.example", 1, 0, 55, 7, ""},
        {1064, 0, 1, 300, 45, "router.example", 1, 3, 30, 7, ""},
        {1068, 0, 1, 300, 45, "router.example", 1, 3, 30, 21, ""},
        {1071, 0, 1, 300, 45, "router.example", 1, 3, 30, 21, "aoz"},
        {1323, 0, 1, 300, 45, "router.example", 1, 3, 30, 21, "aozora"},
        {1324, 0, 1, 300, 45, "router.example", 1, 3, 30, 21, "aozora"},
        {5000, 0, 1, 300, 45, "router.example", 1, 3, 30, 21, "aozora"},
    };
    std::vector<unsigned char> file = image(sample());
    file.resize(5000, 0xEE); // whatever follows the layout is not read
    for (const Case& c : cases) {
        Options o = startValues();
        ASSERT_TRUE(decodeOptions(file.data(), c.size, o)) << c.size;
        EXPECT_EQ(c.alwaysOnTop, o.alwaysOnTop) << "size " << c.size;
        EXPECT_EQ(c.silent, o.silent) << "size " << c.size;
        EXPECT_EQ(c.left, o.windowRect.left) << "size " << c.size;
        EXPECT_EQ(c.bottom, o.windowRect.bottom) << "size " << c.size;
        EXPECT_STREQ(c.host, o.hostName) << "size " << c.size;
        EXPECT_EQ(c.forceIfHung, o.forceIfHung) << "size " << c.size;
        EXPECT_EQ(c.powerAction, o.powerAction) << "size " << c.size;
        EXPECT_EQ(c.minute, o.clockMinute) << "size " << c.size;
        EXPECT_EQ(c.hour, o.clockHour) << "size " << c.size;
        EXPECT_STREQ(c.skin, o.skinName) << "size " << c.size;
    }
}

TEST(OptionsDecode, EmptyFileChangesNothing)
{
    const unsigned char none[1] = {0};
    Options o = sample();
    EXPECT_FALSE(decodeOptions(none, 0, o));
    EXPECT_FALSE(decodeOptions(nullptr, 0, o));
    const Options s = sample();
    EXPECT_EQ(0, std::memcmp(&s, &o, sizeof o));
}

TEST(OptionsDecode, AFieldCutShortKeepsTheRestOfItsBytes)
{
    const unsigned char two[2] = {0x04, 0x03};
    Options o = startValues();
    o.alwaysOnTop = 0x11223344;
    ASSERT_TRUE(decodeOptions(two, sizeof two, o));
    EXPECT_EQ(0x11220304, o.alwaysOnTop);
    EXPECT_EQ(100, o.windowRect.left);
}

TEST(OptionsDecode, DamagedStringsEndInsideTheirFields)
{
    struct Case {
        size_t field, size;           // offset and size of the string field
        std::vector<unsigned char> tail; // the field's last bytes (rest 'a')
        size_t length;                // length read back
    } cases[] = {
        {28, 1024, {'a', 'a'}, 1023},                  // no terminator at all
        {28, 1024, {'a', 0x82, 0xA0}, 1022},           // a whole double-byte character at the end
        {28, 1024, {0x82, 0xA0, 'b'}, 1023},           // one that still fits before the terminator
        {28, 1024, {'a', 'a', 0x82}, 1023},            // a lone lead byte at the very end
        {1068, 256, {'a', 'a'}, 255},
        {1068, 256, {'a', 0xE0, 0x40}, 254},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> file = image(sample());
        std::memset(&file[c.field], 'a', c.size);
        std::memcpy(&file[c.field + c.size - c.tail.size()], c.tail.data(), c.tail.size());
        Options o = startValues();
        ASSERT_TRUE(decodeOptions(file.data(), file.size(), o));
        const char* text = c.field == 28 ? o.hostName : o.skinName;
        const size_t length = strnlen(text, c.size);
        EXPECT_EQ(c.length, length) << "field at " << c.field << " tail size " << c.tail.size();
        EXPECT_EQ(0, std::memcmp(text, &file[c.field], length)) << "the text before the cut is kept";
    }
    // A long, terminated host name is left as it is.
    std::vector<unsigned char> file = image(sample());
    std::memset(&file[28], 'h', 1023);
    file[28 + 1023] = 0;
    Options o = startValues();
    ASSERT_TRUE(decodeOptions(file.data(), file.size(), o));
    EXPECT_EQ(1023u, std::strlen(o.hostName));
    EXPECT_STREQ("aozora", o.skinName);
}

TEST(OptionsDecode, UnknownPowerActionBecomesShutdown)
{
    struct Case { int32_t stored, read; } cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {-1, 0}, {INT_MAX, 0}, {INT_MIN, 0},
    };
    for (const Case& c : cases) {
        Options written = sample();
        written.powerAction = c.stored;
        written.clockHour = 99; // other values are taken as they are
        const std::vector<unsigned char> b = image(written);
        Options o = startValues();
        ASSERT_TRUE(decodeOptions(b.data(), b.size(), o));
        EXPECT_EQ(c.read, o.powerAction) << "stored " << c.stored;
        EXPECT_EQ(99, o.clockHour);
    }
}

} // namespace
