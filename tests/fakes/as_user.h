#pragma once
// Permission checks do not bind the superuser. Tests that need them belong to a suite whose name
// ends in "AsUser"; when the test program runs as root they skip there, and the same program runs
// them again as nobody (tests/run_as_user.sh, one "_as_user" test per program), so they never go
// unchecked.

#include <unistd.h>

#include <gtest/gtest.h>

#define VANTREL_SKIP_AS_ROOT()                                                                     \
    do {                                                                                           \
        if (::geteuid() == 0)                                                                      \
            GTEST_SKIP() << "permissions do not bind root; the _as_user test runs this as nobody"; \
    } while (false)
