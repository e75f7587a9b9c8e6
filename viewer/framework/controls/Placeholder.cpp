// Filled by the control layer.
