// Placeholder source: lets the korvex library build while it has no sources of its own.
