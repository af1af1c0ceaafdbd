#pragma once

// The Cancel command of the creation page and the server list page: asks the main window to close,
// after the click has been handled. No question, nothing saved.
void OnPageCancel();
