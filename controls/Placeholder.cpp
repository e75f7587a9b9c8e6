// Filled by the controls.
