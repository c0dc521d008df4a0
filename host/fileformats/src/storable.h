// Bringing an image into a form the target format can take.
#pragma once

#include <imgcore.h>

namespace tf {

// Takes the image's size into the record and checks the record's data type
// against the buffer's pixel format; data type 0 is chosen from the buffer
// (24 RGB, 16 hi-colour, 8 with a palette 256 colours else grey, 1 black and
// white). False with an error when they do not agree.
bool AdoptBufferFacts(HGLOBAL record, HBUF buffer);

struct StorablePlan {
  HBUF converted = 0;  // the converted copy, 0 when the image is written as it is
};

// When the record's data type is not among feedTypes, makes a converted copy
// through the host's converter (true colour where the format takes it, else
// 256 colours with an optimised palette) and changes the record's data type and palette to it.
// False with an error when the conversion fails.
bool PlanStorable(HGLOBAL record, LONG feedTypes, HBUF image, StorablePlan* plan);
void ReleasePlan(StorablePlan* plan);

}  // namespace tf
