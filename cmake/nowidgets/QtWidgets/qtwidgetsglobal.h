// Searched before Qt's own headers when the core is compiled: the core has no widget code.
#error "A widget header is included in the core (core/). Widgets belong in the program's folders."
