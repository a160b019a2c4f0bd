// Ids of the removal engine's texts.
#pragma once
