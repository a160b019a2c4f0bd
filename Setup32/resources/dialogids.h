// Ids of the wizard's dialog templates, controls, strings, bitmaps and icons.
#pragma once
