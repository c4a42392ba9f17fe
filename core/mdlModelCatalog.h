#pragma once
// Model catalogue: builds and frees the capability lists (comma-wrapped model lists,
// ",A,B,"), the feature-list lookup and the alias rule that maps three names to the W16
// family. Including it gives the model names and USB ids too.
//
// Membership of a model M in a list L is IsInCommaList(M, L): ","+M+"," occurs in L
// (exact, case-sensitive; an empty model matches lists that hold an empty entry).
//
// The names and USB ids are in mdlModelNames, the list variables in mdlModelLists; the
// members of every list are authored in mdlModelData.cpp.
#include "mdlModelLists.h"
#include "mdlModelNames.h"

#include <QString>

// ---- operations ----------------------------------------------------------------------------
// Builds every list once (a counter guards it); FreeModelLists clears them all and allows a
// new build.
void BuildModelLists();
void FreeModelLists();
// result := name, found := false; three alias names give "W16" and found := true.
QString MapModelAlias(const QString& name, bool& found);
// Looks featureName up among the eleven feature names; list := its list ('' when unknown);
// result: IsInCommaList(model, list).
bool FeatureModelListLookup(const QString& featureName, const QString& model, QString& list);
bool IsFeatureModel(const QString& featureName, QString& list);
bool IsFeatureModel(const QString& featureName);
bool IsModelInFeatureList(const QString& featureName);  // same as IsFeatureModel
// Built-in default list of a [ParameterSet] key of "PrinterTypeList_Label.ini" /
// "PrinterTypeList_Mobile.ini"; found is false (and the result '') for other keys.
QString BuiltinLabelFeatureModels(const QString& key, bool& found);
QString BuiltinMobileFeatureModels(const QString& key, bool& found);
