#include <string>

#include <gtest/gtest.h>

#include "platform/core/DocumentAddress.h"

TEST(DocumentAddress, OnlyWebMailAndFileAddressesWithoutControlCharactersAreOpened)
{
    const struct {
        std::string address;
        bool openable;
    } cases[] = {
        {"http://example.org/", true},
        {"HTTPS://example.org/a b;c&d|e`f$(g)", true},
        {"mailto:someone@example.org", true},
        {"File:///usr/share/quorvel/QuorvelHelp/QuorvelHelp.htm", true},
        {"", false},
        {"http:", false},
        {"example.org", false},
        {"/usr/bin/xterm", false},
        {"-e http://example.org", false},
        {"javascript:alert(1)", false},
        {"ftp://example.org/", false},
        {"smb://host/share", false},
        {"xterm:http://example.org", false},
        {"http ://example.org", false},
        {"http://example.org/\nrm", false},
        {"http://example.org/\t", false},
        {std::string("http://example.org/\0x", 21), false},
        {"http://example.org/\x7F", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOpenableAddress(c.address), c.openable) << c.address;
}
