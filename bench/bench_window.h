// The window and assets the measurements need: a dummy-driver window with every image loaded.
#pragma once

bool openBenchWindow();
