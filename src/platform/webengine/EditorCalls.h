#pragma once

#include <QString>
#include <QStringList>

// The calls of the editor's script (its table `calls`, js/editor/12-calls.js),
// by their names in C++ and in the script. The one list both the bridge
// and the test that holds it against the script use.
#define QUORIX_EDITOR_CALLS(CALL) \
    /* the control */ \
    CALL(Init, "init") \
    CALL(Release, "release") \
    CALL(DocumentHtml, "documentHtml") \
    CALL(IsDirty, "isDirty") \
    CALL(SetView, "setView") \
    CALL(Status, "status") \
    CALL(Exec, "exec") \
    CALL(FontState, "fontState") \
    CALL(Find, "find") \
    CALL(State, "state") \
    CALL(SelectBookmark, "selectBookmark") \
    /* the document */ \
    CALL(SelectionType, "selectionType") \
    CALL(SelectionRange, "selectionRange") \
    CALL(ControlRange, "controlRange") \
    CALL(Body, "body") \
    CALL(ElementsByTagName, "elementsByTagName") \
    /* text ranges */ \
    CALL(RangeText, "rangeText") \
    CALL(RangeSetText, "rangeSetText") \
    CALL(RangeHtml, "rangeHtml") \
    CALL(RangePaste, "rangePaste") \
    CALL(RangeCollapse, "rangeCollapse") \
    CALL(RangeMoveStart, "rangeMoveStart") \
    CALL(RangeMoveEnd, "rangeMoveEnd") \
    CALL(RangeParent, "rangeParent") \
    CALL(RangeDuplicate, "rangeDuplicate") \
    CALL(RangeInRange, "rangeInRange") \
    CALL(RangeBookmark, "rangeBookmark") \
    CALL(RangeMoveToBookmark, "rangeMoveToBookmark") \
    CALL(RangeSelect, "rangeSelect") \
    /* control ranges */ \
    CALL(ControlLength, "controlLength") \
    CALL(ControlItem, "controlItem") \
    CALL(ControlCommonParent, "controlCommonParent") \
    /* elements */ \
    CALL(TagName, "tagName") \
    CALL(ParentElement, "parentElement") \
    CALL(HasAttribute, "hasAttribute") \
    CALL(GetAttribute, "getAttribute") \
    CALL(SetAttribute, "setAttribute") \
    CALL(RemoveAttribute, "removeAttribute") \
    CALL(GetProperty, "getProperty") \
    CALL(SetProperty, "setProperty") \
    CALL(InnerHtml, "innerHTML") \
    CALL(SetInnerHtml, "setInnerHTML") \
    CALL(OuterHtml, "outerHTML") \
    CALL(SetOuterHtml, "setOuterHTML") \
    CALL(InnerText, "innerText") \
    CALL(SetInnerText, "setInnerText") \
    CALL(StyleGet, "styleGet") \
    CALL(StyleSetCss, "styleSetCss") \
    CALL(StyleSetProperty, "styleSetProperty") \
    CALL(CreateTextRange, "createTextRange") \
    CALL(Href, "href") \
    CALL(Rows, "rows") \
    CALL(InsertRow, "insertRow") \
    CALL(Cells, "cells") \
    CALL(InsertCell, "insertCell")

namespace EditorCall {

#define QUORIX_EDITOR_CALL_NAME(id, name) inline const QString id = QStringLiteral(name);
QUORIX_EDITOR_CALLS(QUORIX_EDITOR_CALL_NAME)
#undef QUORIX_EDITOR_CALL_NAME

// Every name above.
inline QStringList All()
{
#define QUORIX_EDITOR_CALL_ENTRY(id, name) id,
    return {QUORIX_EDITOR_CALLS(QUORIX_EDITOR_CALL_ENTRY)};
#undef QUORIX_EDITOR_CALL_ENTRY
}

} // namespace EditorCall
