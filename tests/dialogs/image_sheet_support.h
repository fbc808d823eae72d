// What the image sheet's tests share: choosing a list item by its data, and
// pictures drawn by ImageMagick (an independent encoder) for the sheet's
// pages to read through the image library.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/dialogs/dialogs_test_support.h"

namespace imagesheettest {

// Chooses the item whose data is the value, as a person picking it.
inline void ChooseItem(HWND dialog, int id, int data) {
  const auto count = static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (::SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data)
      return dialogstest::Choose(dialog, id, i);
  ADD_FAILURE() << "no item with data " << data << " in " << id;
}

// Writes the picture ImageMagick draws from the arguments (after the size)
// into path; a ".png" keeps 24 bits even when few colours would fit a
// palette, a ".bmp" is the Windows 3 form.
inline void DrawPicture(const std::string& path, int w, int h, const std::string& drawing) {
  const std::string format = path.ends_with(".png") ? "PNG24:" : path.ends_with(".bmp") ? "BMP3:" : "";
  const std::string command = "convert -size " + std::to_string(w) + "x" + std::to_string(h) + " " + drawing + " '" +
                              format + path + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace imagesheettest
