#include "tests/support/sparse_reference.h"

#include <cstdlib>
#include <sstream>

SparseReference sparseReference(int rows, int cols, const std::vector<float>& h, int n, unsigned seed)
{
    auto at = [&](int r, int c) { return h[std::size_t(r) * cols + c]; };
    SparseReference ref;
    ref.values.assign(h.size(), 0.0f);
    for (int r = 1; r + 1 < rows; r++)
        for (int c = 1; c + 1 < cols; c++) {
            bool top = true;
            for (int dr = -1; dr <= 1; dr++)
                for (int dc = -1; dc <= 1; dc++)
                    if ((dr || dc) && !(at(r, c) > at(r + dr, c + dc)))
                        top = false;
            if (top && ref.maxima.size() < 100) {
                ref.values[std::size_t(r) * cols + c] = at(r, c);
                ref.maxima.push_back(at(r, c));
            }
        }
    std::srand(seed);
    for (int i = static_cast<int>(ref.maxima.size()); i < n; i++) {
        const int r = std::rand() % rows;
        const int c = std::rand() % cols;
        ref.values[std::size_t(r) * cols + c] = at(r, c);
    }
    return ref;
}

std::string sparseBody(int rows, int cols, const std::vector<float>& values)
{
    std::ostringstream text;
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++)
            text << values[std::size_t(r) * cols + c] << " ";
        text << "\n";
    }
    return text.str();
}

std::string sparseConsoleErr(const std::vector<float>& maxima)
{
    std::ostringstream text;
    text << "Enter desired number of random spot heights: \n";
    for (std::size_t i = 0; i < maxima.size(); i++)
        text << "local max " << i << ": " << maxima[i] << "\n";
    text << "Found " << maxima.size() << " local maximums.\npause\nnumLocals = " << maxima.size() << "\n";
    return text.str();
}
