// The real back end over SDL2.
