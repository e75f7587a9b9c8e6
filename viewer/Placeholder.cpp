// Filled by the viewer.
