// A picture from a bitmap file or from a bitmap resource of the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "gui_element.h"

namespace OrvoUtility {

class Image : public Child {
public:
    // Resource id -1: the picture comes from a file (LoadFromFile).
    Image(GUIElement* parentElement, std::int32_t resource);
    ~Image() override;

    void Create() override;
    void LoadFromFile(std::string path);
    void LoadFromResource(std::int32_t resource);

    HBITMAP bitmap;  // owned
    std::string filePath;
    std::int32_t resourceId;
    bool border;

private:
    // Deletes the bitmap shown so far and shows `replacement` (null shows nothing).
    void Replace(HBITMAP replacement);
};

}  // namespace OrvoUtility
