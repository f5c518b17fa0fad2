#pragma once
// Runs the real viewer for end-to-end tests (placeholder).
