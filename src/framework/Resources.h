#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {

class Picture;

// A picture among the application's resources, by number; nullptr when there is
// none under that number.
std::shared_ptr<Picture> GetPicture(Integer id);

}  // namespace fw
