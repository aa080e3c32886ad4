#pragma once
// Base64 (RFC 4648, the standard alphabet, padded with '='), for pictures carried inside
// a page as data: URIs.

#include <cstdint>
#include <string>
#include <vector>

std::string base64(const std::vector<std::uint8_t>& bytes);
