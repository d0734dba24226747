// The application's list of panel objects, in registration order.
#pragma once

#include <string>
#include <vector>

class CPanel;

// The first panel whose name equals `name` exactly (case-sensitive), or null.
CPanel* FindPanel(const std::vector<CPanel*>& panels, const std::string& name);
