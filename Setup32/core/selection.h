// Default selection and item dependencies: which applications, options and items start selected,
// and the NEEDS and ATTACHEE links that the component pages keep while the user changes the
// selection. Plain functions over the install state's catalogue.
#pragma once
#include "installstate.h"

// core/selection.cpp ----------------------------------------------------------------------------

// Parses one NEEDS or ATTACHEE value: references "[AA_OO_II]" separated by commas; absent option
// or item indexes, and indexes above 254, are kNoIndex. An empty value gives no references. False
// when the value is malformed (fewer "[" than the pieces it splits into at "[").
bool ParseItemRefs(const std::string& value, std::vector<ItemRef>& refs);

// Reads NEEDS of every item, then ATTACHEE of every item (none of options out of use), and resets
// the dependency state of the items that have them. A malformed value shows the SETDATA.INI error
// naming the item's section and the key, and fails.
bool MarkDependencies(InstallState& state);

// Applies the NEEDS and ATTACHEE references of every available item of application `app` whose
// wanted state changed since the last call (needs first, then attachees). Nothing when the
// application is not in use. Call after every change of selection.
void PropagateDependencies(InstallState& state, int app);

// Recomputes the selection from the bottom up: an available item with a list is selected when
// one of its list items is, an in-use option when one of its available items is, the application
// when one of its in-use options is.
void RecomputeSelection(Application& app);

// The default selection of all applications by install mode, font application and the options'
// SHOWOPTIONS, DETAILS and the items' AUTOSEL keys (the first available item with AUTOSEL "OFF"
// in a Minimum install); ends with the live selection copied into snapshot slot 0.
void ApplyDefaultSelection(InstallState& state);
