#pragma once
// Client side of the viewer's protocol (placeholder).
