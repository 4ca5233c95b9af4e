#pragma once

// Which of the two maps a view or dialog works on.
enum class MapKind { Fi, Ig };
