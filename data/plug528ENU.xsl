<?xml version="1.0" encoding="UTF-8"?>
<!--
  plug528ENU.xsl: the report document of plug528 as an HTML laboratory report (English labels).

  The labels block below holds every fixed word of the report; plug528.xsl is this file
  with the Russian labels block, and both must stay identical outside that block. Values
  of the document (sample, operator, table cells, messages) are written as text only, so
  they are never read as markup. The pictures are inline (data: URIs): the file needs
  nothing beside it. Printing: A4, each section from a new page, table headings repeated
  on every page, no row split between pages.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no"/>

  <!-- labels -->
  <xsl:variable name="lang">en</xsl:variable>
  <xsl:variable name="L-title">Analysis report</xsl:variable>
  <xsl:variable name="L-subtitle">Boiling range distribution of petroleum products by simulated distillation (gas chromatography)</xsl:variable>
  <xsl:variable name="L-method">Method</xsl:variable>
  <xsl:variable name="L-sample">Sample</xsl:variable>
  <xsl:variable name="L-device">Instrument No.</xsl:variable>
  <xsl:variable name="L-date">Report date</xsl:variable>
  <xsl:variable name="L-an-mass">Sample mass, g</xsl:variable>
  <xsl:variable name="L-std-mass">Internal standard mass, g</xsl:variable>
  <xsl:variable name="L-operator">Operator</xsl:variable>
  <xsl:variable name="L-files">Chromatograms</xsl:variable>
  <xsl:variable name="L-number">No.</xsl:variable>
  <xsl:variable name="L-role">Run</xsl:variable>
  <xsl:variable name="L-time">Time of analysis</xsl:variable>
  <xsl:variable name="L-file">File</xsl:variable>
  <xsl:variable name="L-grad-chart">Calibration curve</xsl:variable>
  <xsl:variable name="L-grad-caption">Boiling point of the n-paraffins (t, °C) against retention time (T, min)</xsl:variable>
  <xsl:variable name="L-ref">Reference sample check</xsl:variable>
  <xsl:variable name="L-ref-sample">Reference sample</xsl:variable>
  <xsl:variable name="L-ref-percent">Percent off, % mass</xsl:variable>
  <xsl:variable name="L-ref-std">Reference, °C</xsl:variable>
  <xsl:variable name="L-ref-measured">Measured, °C</xsl:variable>
  <xsl:variable name="L-ref-diff">Difference, °C</xsl:variable>
  <xsl:variable name="L-ref-limit">Limit R, °C</xsl:variable>
  <xsl:variable name="L-ref-ok">Conforms to R</xsl:variable>
  <xsl:variable name="L-prop-chart">Distillation curve</xsl:variable>
  <xsl:variable name="L-prop-caption">Percent off (%) against boiling point (t, °C). Curve colours: analysis 1 red, analysis 2 blue, analysis 3 green.</xsl:variable>
  <xsl:variable name="L-prop">Percent off</xsl:variable>
  <xsl:variable name="L-prop-percent">Percent off, % mass</xsl:variable>
  <xsl:variable name="L-deg">, °C</xsl:variable>
  <xsl:variable name="L-a-temp">Tmean, °C</xsl:variable>
  <xsl:variable name="L-accuracy">±Δ, °C</xsl:variable>
  <xsl:variable name="L-d-temp">|T1 − T2|, °C</xsl:variable>
  <xsl:variable name="L-r">Limit r, °C</xsl:variable>
  <xsl:variable name="L-r-ok">Conforms to r</xsl:variable>
  <xsl:variable name="L-R">Limit R, °C</xsl:variable>
  <xsl:variable name="L-R-ok">Conforms to R</xsl:variable>
  <xsl:variable name="L-limit">Limit, °C</xsl:variable>
  <xsl:variable name="L-ok">Conforms</xsl:variable>
  <xsl:variable name="L-fract">Component and fraction composition</xsl:variable>
  <xsl:variable name="L-iso">Percent off by ISO 3405</xsl:variable>
  <xsl:variable name="L-iso-percent">Percent off, % vol.</xsl:variable>
  <xsl:variable name="L-iso-temp">T (ISO 3405), °C</xsl:variable>
  <xsl:variable name="L-iso-R">R, °C (table A.4)</xsl:variable>
  <xsl:variable name="L-msgs">System messages: errors</xsl:variable>
  <xsl:variable name="L-performed">Analysis performed by</xsl:variable>
  <xsl:variable name="L-checked">Checked by</xsl:variable>
  <xsl:variable name="L-signature">signature</xsl:variable>
  <xsl:variable name="L-name">name</xsl:variable>
  <xsl:variable name="L-sign-date">date</xsl:variable>
  <xsl:variable name="L-page">Page </xsl:variable>
  <xsl:variable name="L-of"> of </xsl:variable>
  <!-- /labels -->

  <!-- Conformity cells: "Нет"/"No" is a failed check, "Да"/"Yes" a passed one, three dashes not judged. -->
  <xsl:template name="cell">
    <xsl:param name="text" select="string(.)"/>
    <xsl:param name="element" select="'td'"/>
    <xsl:element name="{$element}">
      <xsl:choose>
        <xsl:when test="$text = 'Нет' or $text = 'No'">
          <xsl:attribute name="class">fail</xsl:attribute>
        </xsl:when>
        <xsl:when test="$text = 'Да' or $text = 'Yes'">
          <xsl:attribute name="class">pass</xsl:attribute>
        </xsl:when>
        <xsl:when test="$text = '---'">
          <xsl:attribute name="class">none</xsl:attribute>
        </xsl:when>
      </xsl:choose>
      <xsl:value-of select="$text"/>
    </xsl:element>
  </xsl:template>

  <!-- Empty cells up to `count` (rows shorter than the heading). -->
  <xsl:template name="pad">
    <xsl:param name="count"/>
    <xsl:if test="$count &gt; 0">
      <td></td>
      <xsl:call-template name="pad">
        <xsl:with-param name="count" select="$count - 1"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- A row whose cells are all empty separates parts of a table. -->
  <xsl:template name="row-class">
    <xsl:if test="normalize-space(.) = ''">
      <xsl:attribute name="class">gap</xsl:attribute>
    </xsl:if>
  </xsl:template>

  <xsl:template match="/">
    <xsl:apply-templates select="Document"/>
  </xsl:template>

  <!-- The line that names the sample on every page a section begins, so that a loose page
       still says which report it belongs to. -->
  <xsl:template name="running">
    <div class="running">
      <xsl:value-of select="$L-sample"/>
      <xsl:text>: </xsl:text>
      <xsl:value-of select="/Document/name_an"/>
      <xsl:text> · </xsl:text>
      <xsl:value-of select="$L-device"/>
      <xsl:text> </xsl:text>
      <xsl:value-of select="/Document/num_device"/>
      <xsl:text> · </xsl:text>
      <xsl:value-of select="$L-date"/>
      <xsl:text> </xsl:text>
      <xsl:value-of select="/Document/reportdate"/>
    </div>
  </xsl:template>

  <xsl:template match="Document">
    <html lang="{$lang}">
      <head>
        <title>
          <xsl:value-of select="$L-title"/>
          <xsl:if test="normalize-space(name_an) != ''">
            <xsl:text>: </xsl:text>
            <xsl:value-of select="name_an"/>
          </xsl:if>
          <xsl:text>, </xsl:text>
          <xsl:value-of select="reportdate"/>
        </title>
        <style>
@page { size: A4 portrait; margin: 14mm 12mm 16mm 20mm;
  @bottom-right { content: "<xsl:value-of select="$L-page"/>" counter(page) "<xsl:value-of select="$L-of"/>" counter(pages);
    font: 8pt "Liberation Sans", Arial, sans-serif; color: #555; } }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font: 10pt/1.35 "Liberation Sans", Arial, Helvetica, sans-serif; color: #000; background: #fff;
  max-width: 180mm; margin: 0 auto; padding: 6mm 4mm; counter-reset: section; }
header { border-bottom: 1.5pt solid #000; padding-bottom: 3mm; margin-bottom: 5mm; }
.kind { font-size: 9pt; color: #333; text-transform: none; }
h1 { font-size: 17pt; margin: 1mm 0 1mm; }
.method { font-size: 12pt; font-weight: 700; margin: 0 0 3mm; }
table.passport { border-collapse: collapse; width: auto; margin: 0; font-size: 10.5pt; }
table.passport th { text-align: left; font-weight: 400; color: #333; padding: 0.6mm 6mm 0.6mm 0; vertical-align: top; white-space: nowrap; }
table.passport td { font-weight: 700; padding: 0.6mm 0; overflow-wrap: anywhere; }
section { counter-increment: section; }
section + section { break-before: page; page-break-before: always; }
.running { display: none; font-size: 8pt; color: #444; border-bottom: 0.5pt solid #888; padding-bottom: 1mm; margin-bottom: 4mm; }
section + section .running { display: block; }
h2 { font-size: 13pt; margin: 0 0 3mm; break-after: avoid; page-break-after: avoid; }
h2::before { content: counter(section) ". "; }
p.note { margin: 0 0 2mm; }
table.data { border-collapse: collapse; width: 100%; max-width: 100%; font-size: 9pt; margin: 0 0 2mm; }
table.data th, table.data td { border: 0.75pt solid #444; padding: 0.5mm 1mm; text-align: center; vertical-align: middle; }
table.data td { white-space: normal; overflow-wrap: normal; }
table.data th { font-size: 8pt; overflow-wrap: break-word; }
table.data td.wrap { white-space: normal; overflow-wrap: anywhere; }
table.data thead th { background: #e8e8e8; font-weight: 700; hyphens: manual; }
table.data thead { display: table-header-group; }
table.data tr { break-inside: avoid; page-break-inside: avoid; }
table.data td.name, table.data th.name { text-align: left; }
table.data tbody tr:nth-child(even) td { background: #f7f7f7; }
table.data tr.gap td { border-left: none; border-right: none; background: #fff; height: 2.5mm; padding: 0; }
td.fail { font-weight: 700; color: #a00000; background: #ffe0e0 !important; outline: 1.5pt solid #a00000; outline-offset: -2pt; }
td.pass { color: #0a5a0a; }
td.none { color: #777; }
figure { margin: 0; break-inside: avoid; page-break-inside: avoid; }
figure img { display: block; max-width: 100%; height: auto; }
figcaption { font-size: 9pt; color: #333; margin-top: 1.5mm; }
ol.messages { margin: 0; padding-left: 8mm; }
ol.messages li { margin-bottom: 2mm; white-space: pre-wrap; tab-size: 2; overflow-wrap: break-word; break-inside: avoid; page-break-inside: avoid; }
footer { margin-top: 10mm; break-inside: avoid; page-break-inside: avoid; }
table.signatures { border-collapse: separate; border-spacing: 5mm 0; margin-left: -5mm; width: calc(100% + 10mm); font-size: 10pt; }
table.signatures td { padding: 7mm 0 0.5mm; vertical-align: bottom; }
table.signatures td.line { border-bottom: 0.75pt solid #000; }
table.signatures td.operator { border-bottom: 0.75pt solid #000; font-weight: 700; text-align: center; }
table.signatures tr.hint td { padding-top: 0.5mm; font-size: 7.5pt; color: #555; text-align: center; }
@media screen { body { margin-top: 8mm; margin-bottom: 8mm; box-shadow: 0 0 0 1px #ddd; } section + section { margin-top: 10mm; } }
        </style>
      </head>
      <body>
        <header>
          <div class="kind"><xsl:value-of select="$L-subtitle"/></div>
          <h1><xsl:value-of select="$L-title"/></h1>
          <p class="method">
            <xsl:value-of select="$L-method"/>
            <xsl:text>: </xsl:text>
            <xsl:value-of select="method/method_name"/>
          </p>
          <table class="passport">
            <tbody>
              <tr><th><xsl:value-of select="$L-sample"/></th><td class="sample"><xsl:value-of select="name_an"/></td></tr>
              <tr><th><xsl:value-of select="$L-device"/></th><td class="device"><xsl:value-of select="num_device"/></td></tr>
              <tr><th><xsl:value-of select="$L-date"/></th><td class="date"><xsl:value-of select="reportdate"/></td></tr>
              <xsl:if test="mass">
                <tr><th><xsl:value-of select="$L-an-mass"/></th><td class="an-mass"><xsl:value-of select="mass/an_mass"/></td></tr>
                <tr><th><xsl:value-of select="$L-std-mass"/></th><td class="std-mass"><xsl:value-of select="mass/std_mass"/></td></tr>
              </xsl:if>
              <tr><th><xsl:value-of select="$L-operator"/></th><td class="operator"><xsl:value-of select="operator_str/operator"/></td></tr>
            </tbody>
          </table>
        </header>
        <xsl:apply-templates select="files | grad_chart | outTable | ref_table | prop_chart | prop_table_A | prop_table_B | prop_table_Gost | fract_table | props_ISO3405 | msg_head"/>
        <footer>
          <table class="signatures">
            <tbody>
              <tr>
                <td style="width: 27%"><xsl:value-of select="$L-performed"/></td>
                <td class="line" style="width: 22%"></td>
                <td class="operator" style="width: 30%"><xsl:value-of select="operator_str/operator"/></td>
                <td class="line" style="width: 21%"></td>
              </tr>
              <tr class="hint">
                <td></td>
                <td><xsl:value-of select="$L-signature"/></td>
                <td><xsl:value-of select="$L-name"/></td>
                <td><xsl:value-of select="$L-sign-date"/></td>
              </tr>
              <tr>
                <td><xsl:value-of select="$L-checked"/></td>
                <td class="line"></td>
                <td class="line"></td>
                <td class="line"></td>
              </tr>
              <tr class="hint">
                <td></td>
                <td><xsl:value-of select="$L-signature"/></td>
                <td><xsl:value-of select="$L-name"/></td>
                <td><xsl:value-of select="$L-sign-date"/></td>
              </tr>
            </tbody>
          </table>
        </footer>
      </body>
    </html>
  </xsl:template>

  <!-- The chromatograms of the calculation. -->
  <xsl:template match="files">
    <section class="files">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-files"/></h2>
      <table class="data">
        <thead>
          <tr>
            <th><xsl:value-of select="$L-number"/></th>
            <th><xsl:value-of select="$L-role"/></th>
            <th class="name"><xsl:value-of select="$L-sample"/></th>
            <th><xsl:value-of select="$L-time"/></th>
            <th class="name"><xsl:value-of select="$L-file"/></th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="onefile">
            <tr>
              <td><xsl:value-of select="position()"/></td>
              <td><xsl:value-of select="type"/></td>
              <td class="name wrap"><xsl:value-of select="proba"/></td>
              <td><xsl:value-of select="analise_time"/></td>
              <td class="name wrap"><xsl:value-of select="filename"/></td>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <xsl:template match="grad_chart | prop_chart">
    <section class="chart {local-name()}">
      <xsl:call-template name="running"/>
      <h2>
        <xsl:choose>
          <xsl:when test="self::grad_chart"><xsl:value-of select="$L-grad-chart"/></xsl:when>
          <xsl:otherwise><xsl:value-of select="$L-prop-chart"/></xsl:otherwise>
        </xsl:choose>
      </h2>
      <figure>
        <img src="data:image/png;base64,{translate(picture, '&#9;&#10;&#13; ', '')}">
          <xsl:attribute name="alt">
            <xsl:choose>
              <xsl:when test="self::grad_chart"><xsl:value-of select="$L-grad-chart"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="$L-prop-chart"/></xsl:otherwise>
            </xsl:choose>
          </xsl:attribute>
        </img>
        <figcaption>
          <xsl:choose>
            <xsl:when test="self::grad_chart"><xsl:value-of select="$L-grad-caption"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$L-prop-caption"/></xsl:otherwise>
          </xsl:choose>
        </figcaption>
      </figure>
    </section>
  </xsl:template>

  <!-- Relative response factors: captions and cells as the list shows them. -->
  <xsl:template match="outTable">
    <section class="response">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="fileTableHeader"/></h2>
      <table class="data">
        <thead>
          <tr>
            <xsl:for-each select="headCol">
              <th>
                <xsl:if test="position() = 2"><xsl:attribute name="class">name</xsl:attribute></xsl:if>
                <xsl:value-of select="label"/>
              </th>
            </xsl:for-each>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="row">
            <tr>
              <xsl:call-template name="row-class"/>
              <xsl:for-each select="col">
                <xsl:choose>
                  <xsl:when test="position() = 2"><td class="name"><xsl:value-of select="label"/></td></xsl:when>
                  <xsl:otherwise><xsl:call-template name="cell"><xsl:with-param name="text" select="string(label)"/></xsl:call-template></xsl:otherwise>
                </xsl:choose>
              </xsl:for-each>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <xsl:template match="ref_table">
    <section class="reference">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-ref"/></h2>
      <xsl:if test="type_gasoil">
        <p class="note">
          <xsl:value-of select="$L-ref-sample"/>
          <xsl:text>: </xsl:text>
          <strong class="gasoil"><xsl:value-of select="type_gasoil"/></strong>
        </p>
      </xsl:if>
      <table class="data">
        <thead>
          <tr>
            <th><xsl:value-of select="$L-ref-percent"/></th>
            <th><xsl:value-of select="$L-ref-std"/></th>
            <th><xsl:value-of select="$L-ref-measured"/></th>
            <th><xsl:value-of select="$L-ref-diff"/></th>
            <th><xsl:value-of select="$L-ref-limit"/></th>
            <th><xsl:value-of select="$L-ref-ok"/></th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="row">
            <tr>
              <xsl:call-template name="row-class"/>
              <xsl:for-each select="prop | temp_std | temp_Ref | d_temp | R | R_chek">
                <xsl:call-template name="cell"/>
              </xsl:for-each>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <!-- Percent off of the parallel analyses and their repeatability. A method column is shown
       when some row holds it with a text (R and R_chek of method A never do). -->
  <xsl:template match="prop_table_A | prop_table_B | prop_table_Gost">
    <xsl:variable name="table" select="."/>
    <xsl:variable name="methodCells" select="'a_temp accuracy d_temp r r_chek R R_chek '"/>
    <section class="percent-off {local-name()}">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-prop"/></h2>
      <table class="data">
        <thead>
          <tr>
            <th><xsl:value-of select="$L-prop-percent"/></th>
            <xsl:for-each select="head_col">
              <th><xsl:value-of select="label"/><xsl:value-of select="$L-deg"/></th>
            </xsl:for-each>
            <xsl:call-template name="method-heads">
              <xsl:with-param name="table" select="$table"/>
              <xsl:with-param name="names" select="$methodCells"/>
            </xsl:call-template>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="row">
            <xsl:variable name="row" select="."/>
            <tr>
              <xsl:call-template name="row-class"/>
              <xsl:call-template name="cell"><xsl:with-param name="text" select="string(prop)"/></xsl:call-template>
              <xsl:for-each select="col">
                <xsl:call-template name="cell"><xsl:with-param name="text" select="string(label)"/></xsl:call-template>
              </xsl:for-each>
              <xsl:call-template name="pad">
                <xsl:with-param name="count" select="count($table/head_col) - count(col)"/>
              </xsl:call-template>
              <xsl:call-template name="method-cells">
                <xsl:with-param name="table" select="$table"/>
                <xsl:with-param name="row" select="$row"/>
                <xsl:with-param name="names" select="$methodCells"/>
              </xsl:call-template>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <!-- The method's column headings, for the names (blank-separated) that the table uses. -->
  <xsl:template name="method-heads">
    <xsl:param name="table"/>
    <xsl:param name="names"/>
    <xsl:if test="$names != ''">
      <xsl:variable name="name" select="substring-before($names, ' ')"/>
      <xsl:if test="$table/row/*[local-name() = $name][normalize-space(.) != '']">
        <th>
          <xsl:choose>
            <xsl:when test="$name = 'a_temp'"><xsl:value-of select="$L-a-temp"/></xsl:when>
            <xsl:when test="$name = 'accuracy'"><xsl:value-of select="$L-accuracy"/></xsl:when>
            <xsl:when test="$name = 'd_temp'"><xsl:value-of select="$L-d-temp"/></xsl:when>
            <xsl:when test="$name = 'r'"><xsl:value-of select="$L-r"/></xsl:when>
            <xsl:when test="$name = 'r_chek'"><xsl:value-of select="$L-r-ok"/></xsl:when>
            <xsl:when test="$name = 'R' and $table/self::prop_table_Gost"><xsl:value-of select="$L-limit"/></xsl:when>
            <xsl:when test="$name = 'R_chek' and $table/self::prop_table_Gost"><xsl:value-of select="$L-ok"/></xsl:when>
            <xsl:when test="$name = 'R'"><xsl:value-of select="$L-R"/></xsl:when>
            <xsl:when test="$name = 'R_chek'"><xsl:value-of select="$L-R-ok"/></xsl:when>
          </xsl:choose>
        </th>
      </xsl:if>
      <xsl:call-template name="method-heads">
        <xsl:with-param name="table" select="$table"/>
        <xsl:with-param name="names" select="substring-after($names, ' ')"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <xsl:template name="method-cells">
    <xsl:param name="table"/>
    <xsl:param name="row"/>
    <xsl:param name="names"/>
    <xsl:if test="$names != ''">
      <xsl:variable name="name" select="substring-before($names, ' ')"/>
      <xsl:if test="$table/row/*[local-name() = $name][normalize-space(.) != '']">
        <xsl:call-template name="cell">
          <xsl:with-param name="text" select="string($row/*[local-name() = $name])"/>
        </xsl:call-template>
      </xsl:if>
      <xsl:call-template name="method-cells">
        <xsl:with-param name="table" select="$table"/>
        <xsl:with-param name="row" select="$row"/>
        <xsl:with-param name="names" select="substring-after($names, ' ')"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- Fractions: headings from the document; rows may be shorter than the headings. -->
  <xsl:template match="fract_table">
    <xsl:variable name="heads" select="count(head_col)"/>
    <section class="fractions">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-fract"/></h2>
      <table class="data">
        <thead>
          <tr>
            <xsl:for-each select="head_col">
              <th>
                <xsl:if test="position() = 1"><xsl:attribute name="class">name</xsl:attribute></xsl:if>
                <xsl:value-of select="label"/>
              </th>
            </xsl:for-each>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="row">
            <tr>
              <xsl:call-template name="row-class"/>
              <xsl:for-each select="col">
                <xsl:choose>
                  <xsl:when test="position() = 1"><td class="name"><xsl:value-of select="."/></td></xsl:when>
                  <xsl:otherwise><xsl:call-template name="cell"/></xsl:otherwise>
                </xsl:choose>
              </xsl:for-each>
              <xsl:call-template name="pad">
                <xsl:with-param name="count" select="$heads - count(col)"/>
              </xsl:call-template>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <xsl:template match="props_ISO3405">
    <section class="iso3405">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-iso"/></h2>
      <table class="data">
        <thead>
          <tr>
            <th><xsl:value-of select="$L-iso-percent"/></th>
            <th><xsl:value-of select="$L-iso-temp"/></th>
            <th><xsl:value-of select="$L-iso-R"/></th>
          </tr>
        </thead>
        <tbody>
          <xsl:for-each select="row">
            <tr>
              <xsl:for-each select="col">
                <xsl:call-template name="cell"/>
              </xsl:for-each>
            </tr>
          </xsl:for-each>
        </tbody>
      </table>
    </section>
  </xsl:template>

  <!-- Errors of the calculation, each as the log gives it (lines kept, carriage returns
       and the final line break dropped). -->
  <xsl:template match="msg_head">
    <section class="messages">
      <xsl:call-template name="running"/>
      <h2><xsl:value-of select="$L-msgs"/></h2>
      <ol class="messages">
        <xsl:for-each select="table_msg">
          <xsl:variable name="text" select="translate(msg_str, '&#13;', '')"/>
          <li value="{num}">
            <xsl:choose>
              <xsl:when test="substring($text, string-length($text)) = '&#10;'">
                <xsl:value-of select="substring($text, 1, string-length($text) - 1)"/>
              </xsl:when>
              <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
            </xsl:choose>
          </li>
        </xsl:for-each>
      </ol>
    </section>
  </xsl:template>
</xsl:stylesheet>
