// The recalculation run on every change of a parameter field.
#pragma once

#include "stimulus/params.h"
#include "stimulus/stimulus_form.h"

namespace stimulus {

// Reads the fields, and for an accepted set moves the track bars, writes the
// working file and draws the preview. Re-entrant through the track-bar step: a
// nested run may overwrite `shared`, and this run then goes on with it.
void Recalculate(StimulusForm& form, SharedParams& shared);

}  // namespace stimulus
