#pragma once
#include <cstdlib>
#include <optional>

#include "fileio/PictureMatrix.h"

// A matrix as read holds exactly rows × bins values, no more than the file's bytes could give, each
// within the range of its source (a pixel's red + green + blue, or a 32-bit word).
inline void checkPicture(const std::optional<PictureMatrix>& matrix, std::size_t fileBytes, float largest)
{
    if (!matrix)
        return;
    if (matrix->values.size() != std::size_t(matrix->rows) * matrix->bins || matrix->values.size() > fileBytes)
        std::abort();
    for (const float value : matrix->values)
        if (!(value >= 0 && value <= largest))
            std::abort();
}
