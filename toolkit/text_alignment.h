// Where a text or an image sits across its box: the one encoding shared by
// drawing, tiles, labels and edit boxes.
#pragma once

namespace OrvoUtility {

enum class TextAlignment { Left, Center, Right };

}  // namespace OrvoUtility
