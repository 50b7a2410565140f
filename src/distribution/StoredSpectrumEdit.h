#pragma once
#include "core/AppState.h"

namespace karmo {

// A stored batch's spectrum or distribution edited from the database panel.

// "Edit &Spectrum" / "Edit &Distribution" (after PrepareSpectrumEdit): the situation flags,
// the copy an abandoned edit returns to, the limit of levels a fresh edit offers, and the
// batch's own distribution type. A distribution edit is BatchKind 4 with the fitted set shown.
void BeginStoredEdit(AppState& s, bool distribution);

// The choice dialog's OK: typed by keyboard (EditChoice 1, BatchKind 2; the batch keeps no
// distribution) or defined by a distribution (EditChoice 2, BatchKind 3).
void ChooseSpectrumEntry(AppState& s, bool keyboard);

// Keyboard entry after the spectrum parameters were stored: the levels are laid evenly
// from MaxRange down to MinRange, levels beyond the count the edit began with start with
// no cycles, the distribution parameters go, and the working copy is filled. A grid that
// differs from the stored one counts as a change of the spectrum.
void BuildKeyboardLevels(AppState& s);

}  // namespace karmo
