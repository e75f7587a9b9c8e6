// Filled by the component layer.
