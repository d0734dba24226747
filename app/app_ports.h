// The application as the instrument layer and the panels see it.
#pragma once

// Makes the application answer AppPort() and PanelHost().
void InstallAppPorts();
