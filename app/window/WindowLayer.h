#pragma once

// The window shell is the top layer: the programs and their tests include it,
// nothing in the layers below may. Only targets linking kelvra_window get the
// definition.
#ifndef KELVRA_WINDOW_LAYER
#error "The window shell is included from below it; only the programs and their tests may include window/."
#endif
