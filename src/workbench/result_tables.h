// The five result lists of the main window's table pages, as Qt-free models. The engine
// steps refill them; the pages display them; the report copies their texts.
#pragma once

#include "lists/table_model.h"

namespace p528 {

class Shell;

struct ResultTables {
  TableModel response;       // "Коэфф. отклика": relative response factors
  TableModel repeatability;  // "Доля отгона": parallel analyses per percent point
  TableModel fractions;      // "Комп.-фракц. состав": fraction composition
  TableModel reference;      // "Анализ эталона": reference sample check
  TableModel iso3405;        // "Доля отгона по ISO 3405"

  // Creates every list's initial columns (captions from the string table, widths in
  // pixels, all centred but "Компонент"). Rows are left empty.
  void SetUp(const Shell& shell);
};

}  // namespace p528
