#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

// SETUP.EXE defines the C++ library's error functions itself (src/shell/library_errors.cpp), and this
// program links them the same way. What the library's checks throw must still be a std::exception with the
// library's message, numbers filled in, as Dialog::Procedure shows it; and it must not be the library's own
// std::out_of_range, whose definitions would bring the copy-on-write string back into the program.
namespace {

TEST(LibraryErrorsTest, APositionPastTheEndThrowsTheLibrarysMessageWithItsNumbers) {
    std::string text = "abc";
    size_t position = 5;
    try {
        text.substr(position);
        FAIL() << "substr past the end did not throw";
    } catch (const std::exception& error) {
        EXPECT_STREQ("basic_string::substr: __pos (which is 5) > this->size() (which is 3)", error.what());
        EXPECT_EQ(nullptr, dynamic_cast<const std::out_of_range*>(&error));
    }
}

TEST(LibraryErrorsTest, AStringPastItsMaximumThrowsTheLibrarysMessage) {
    std::string text;
    try {
        text.reserve(text.max_size() + 1);
        FAIL() << "reserve past the maximum did not throw";
    } catch (const std::exception& error) {
        EXPECT_STREQ("basic_string::_M_create", error.what());
        EXPECT_EQ(nullptr, dynamic_cast<const std::length_error*>(&error));
    }
}

TEST(LibraryErrorsTest, AnAllocatorAskedForTooMuchStillThrowsTheLibrarysBadAllocs) {
    size_t tooMany = std::allocator<int>().max_size() + 1;
    EXPECT_THROW(static_cast<void>(std::allocator<char>().allocate(tooMany)), std::bad_alloc);
    EXPECT_THROW(static_cast<void>(std::allocator<int>().allocate(SIZE_MAX)), std::bad_array_new_length);
}

}  // namespace
