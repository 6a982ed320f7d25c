// The materials and project-plan trees.

#include "editor/Form1.h"

namespace editor {

void Form1::UpdateMaterialsTree() { }
void Form1::UpdateProjectTree() { }

void Form1::highlightMaterialsNode(const QString& key)
{
    previousMaterialsNodeKey = materialsNodeKey;
    materialsNodeKey = key;
}

void Form1::highlightPlanNode(const QString& key)
{
    previousPlanNodeKey = planNodeKey;
    planNodeKey = key;
}

} // namespace editor
