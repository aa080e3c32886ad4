#include "tests/support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>

TempDir::TempDir()
{
    std::string pattern = "/tmp/karvo-test-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr)
        dir = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!dir.empty())
        std::filesystem::remove_all(dir, ignored);
}
