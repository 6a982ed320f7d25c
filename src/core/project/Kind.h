#pragma once

#include <QObject>

namespace project {
Q_NAMESPACE

// The kinds of record a project is made of, and the suppliers all projects share.
enum class Kind { Car, Assembly, Component, Phase, Activity, Supplier };
Q_ENUM_NS(Kind)

// Item data roles of the trees and lists that show records: what a row stands for, by kind and
// key, never inside its display text.
enum ItemRole {
    KeyRole = Qt::UserRole, // the record's key; what QComboBox::itemData and findData read by default
    KindRole, // int(Kind); none on a tree's root
};

} // namespace project
