#pragma once
// The view as an image: the frame it shows, at its size, as a picture and as a PNG file.

#include <string>
#include <vector>

#include "analysis/picture.h"

class MyWindow;

// The frame the view shows, drawn again into its back buffer (not shown) and read back:
// the view's width x height, top row first. Empty when the view is not shown or the
// memory cannot hold it.
Picture viewPicture(MyWindow& view);

// Writes viewPicture as a PNG file at path, through a temporary file beside it, never
// over one of inputs. false with the reason in why; path is then as it was.
bool saveViewImage(MyWindow& view, const std::string& path, const std::vector<std::string>& inputs,
                   std::string& why);
