#pragma once

#include <QString>

namespace core {

// The program-wide values one screen hands to the screen it opens.
struct Choices
{
    enum DogScreenMode { Browse = 1, Find = 2 };

    // The chosen dog's or contact's name.
    inline static QString selectedname;
    // How the dog records screen positions itself when it opens.
    inline static int dogscreenmode = Browse;
};

} // namespace core
