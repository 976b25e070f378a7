#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {

class Picture;

// A picture among the application's resources, by number; nullptr when there is
// none under that number.
std::shared_ptr<Picture> GetPicture(Integer id);
// GetPicture kept once found, one slot per number; a picture not found is asked
// for again at the next call. The slots are never freed, so a picture outlives
// the windows and the toolkit that draw it.
std::shared_ptr<Picture> CachedPicture(Integer id);

}  // namespace fw
