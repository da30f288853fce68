#!/usr/bin/env python3
"""Writes Glossmere's string table source, StringTable.txt.

The table holds two language sets of 1,498 numbered texts: the English set
(numbers 1001-2498, base 1000) and the pseudo-localized set (4001-5498,
base 4000), whose text n is "ñ_" followed by the English text n - 3000,
except for the few rows in PSEUDO_KEPT that the table keeps as they are.

Each line of the output is "number<TAB>text" in UTF-8; texts keep their
trailing blanks. The file is committed; run this script again only to
change the texts:

    python3 Glossmere/tools/make_string_table.py Glossmere/StringTable.txt
"""
import sys

COUNT = 1498
ENGLISH_BASE = 1000
PSEUDO_BASE = 4000
PSEUDO_PREFIX = "\u00f1_"

texts = {}


def put(first, items):
    """Stores items as texts first, first + 1, ..."""
    for offset, text in enumerate(items):
        number = first + offset
        if number in texts:
            raise SystemExit("text %d written twice" % number)
        texts[number] = text


def span(first, last, items):
    """Stores exactly last - first + 1 texts."""
    if len(items) != last - first + 1:
        raise SystemExit("range %d-%d: %d texts for %d numbers"
                         % (first, last, len(items), last - first + 1))
    put(first, items)


def with_tips(pairs):
    """Caption and tooltip rows of the settings of a dialog page."""
    out = []
    for caption, tip in pairs:
        out.append(caption)
        out.append(tip)
    return out


# 1-25: the analysis window.
span(1, 25, [
    "Cancel", "Cancel Analysis", "OK", "Apply Analysis", "Print",
    "Print the graphs and the analysis", "Scroll Left", "Show the earlier periods",
    "Scroll Right", "Show the later periods", "First Series", "Previous Series",
    "Next Series", "Last Series", "Num of Bars",
    "Num of Bars shown in the graphs. Let it blank to use maximum bars.",
    "Zoom In", "Zoom Out", "Show Grid", "Show Legend", "Copy Graph",
    "Copy the graph to the clipboard", "Export Graph", "Series ", " of ",
])

# 26-81: the main wizard pages.
span(26, 81, [
    "Data Layout", "Series in Rows", "Series in Columns", "Next >>",
    "First row holds the dates", "First column holds the dates",
    "First row holds the labels", "First column holds the labels",
    "Data Range", "Select the range that holds your data", "Date Format",
    "Dates", "Labels", "No dates", "No labels", "Periodicity", "Yearly",
    "Half-Yearly", "Quarterly", "Monthly", "Four-Weekly", "Weekly", "Daily",
    "Business Days", "Other periodicity", "Periods per year:", "Start Date",
    "Start Period", "Seasonality", "No seasonality", "Seasonal",
    "Seasonal length:", "Detect the seasonal length", "Finish", "Help",
    "Welcome to the Forecast Wizard", "Step 1 of 4: Data",
    "Step 2 of 4: Periodicity", "Step 3 of 4: Method", "Step 4 of 4: Output",
    "Forecast Periods", "Number of periods to forecast:", "Historical Periods",
    "Use all historical periods", "Use the last ", " periods", "Missing Data",
    "Treat blanks as missing values", "Treat blanks as zero",
    "Series Names", "Use the first cell as the series name",
    "Preview of the data", "Refresh Preview", "Options...", "Advanced...",
    "Restore Defaults",
])

# 82-129: data cleansing.
span(82, 129, with_tips([
    ("Data Cleansing", "Clean the data before the forecast"),
    ("Auto Save", "Save the workbook before the forecast starts"),
    ("Holdback Evaluation", "Keep the last periods out of the fit and compare them with the forecast"),
    ("Holdback periods:", "Number of periods held back from the fit"),
    ("Range Forecast", "Keep the forecast between a floor and a ceiling"),
    ("Floor", "Lowest value that the forecast may take"),
    ("Ceiling", "Highest value that the forecast may take"),
    ("Replace Outliers", "Replace values far from the fitted curve"),
    ("Outlier limit (standard deviations):", "Values beyond this many standard deviations are outliers"),
    ("Replace Missing Values", "Fill missing values before the forecast"),
    ("By interpolation", "Fill a gap by a straight line between its neighbours"),
    ("By the series mean", "Fill a gap with the mean of the series"),
    ("Trend Adjustment", "Remove the trend before the forecast and restore it afterwards"),
    ("Tracking Signal", "Watch the running sum of the errors"),
    ("Tracking signal limit:", "The forecast is flagged when the tracking signal leaves this limit"),
    ("Remove Leading Zeros", "Ignore the zero values before the first demand"),
    ("Remove Trailing Zeros", "Ignore the zero values after the last demand"),
    ("Negative Values", "Set negative forecasts to zero"),
    ("Round Forecasts", "Round the forecasts to whole numbers"),
    ("Decimal places:", "Number of decimal places of the forecasts"),
    ("Cleansing Report", "List every value that the cleansing changed"),
    ("Mark Changed Values", "Colour the cells whose values were changed"),
    ("Minimum Observations", "Series with fewer observations are not forecast"),
    ("Skip Empty Series", "Do not forecast a series without values"),
]))

# 130-149: data transformation.
span(130, 149, with_tips([
    ("Data Transformation", "Transform the data before the forecast"),
    ("None", "Forecast the data as they are"),
    ("Natural Log", "Forecast the natural logarithm of the data"),
    ("Square Root", "Forecast the square root of the data"),
    ("Square", "Forecast the square of the data"),
    ("Back Transform", "Transform the forecasts back to the scale of the data"),
    ("Add a constant", "Add a constant to every value before the transformation"),
    ("Constant:", "The constant added to every value"),
    ("Box-Cox", "Choose the power transformation by the Box-Cox criterion"),
    ("Lambda:", "The power of the Box-Cox transformation"),
]))

# 150-165: profit estimation and simulation.
span(150, 165, with_tips([
    ("Profit Estimation", "Estimate the profit of the forecast quantities"),
    ("Unit Price", "Selling price of one unit"),
    ("Unit Cost", "Cost of one unit"),
    ("Holding Cost", "Cost of keeping one unit in stock for one period"),
    ("Shortage Cost", "Cost of one unit of demand that is not met"),
    ("Simulation", "Simulate the demand around the forecast"),
    ("Number of trials:", "Number of simulated demand paths"),
    ("Random seed:", "Starting value of the random generator; blank for the clock"),
]))

# 166-369: the forecast-method page and its advanced settings; 184 is the
# page's back button.
method_settings = [
    ("Forecast Method", "Choose how the series are forecast"),
    ("Automatic Selection", "Let the wizard try every method and keep the best"),
    ("Selection Criterion", "The accuracy measure that ranks the methods"),
    ("Moving Average", "Forecast by the mean of the last periods"),
    ("Number of periods:", "Number of periods in the moving average"),
    ("Weighted Moving Average", "Forecast by a weighted mean of the last periods"),
    ("Weights:", "Weights of the periods, the most recent first"),
    ("Exponential Smoothing", "Forecast by a smoothed level"),
    ("Alpha:", "Smoothing constant of the level, between 0 and 1"),
]
methods_tail = [
    ("Optimize Alpha", "Find the smoothing constant that fits best"),
    ("Adaptive Smoothing", "Let the smoothing constant follow the errors"),
    ("Double Smoothing (Brown)", "Smooth the level and the trend with one constant"),
    ("Double Smoothing (Holt)", "Smooth the level and the trend with two constants"),
    ("Beta:", "Smoothing constant of the trend, between 0 and 1"),
    ("Triple Smoothing (Brown)", "Smooth the level, the trend and the curvature"),
    ("Holt-Winters", "Smooth the level, the trend and the seasonal indexes"),
    ("Gamma:", "Smoothing constant of the seasonal indexes, between 0 and 1"),
    ("Linear Regression", "Fit a straight line over time"),
    ("Multiple Regression", "Explain the series by independent series"),
    ("Stepwise Regression", "Choose the independent series one step at a time"),
    ("Forward selection", "Add the independent series that helps most at each step"),
    ("Backward elimination", "Remove the independent series that helps least at each step"),
    ("F to enter:", "Smallest partial F that lets a series enter the regression"),
    ("F to remove:", "Partial F below which a series leaves the regression"),
    ("Polynomial Regression", "Fit powers of the independent series"),
    ("Maximum degree:", "Highest power of the polynomial terms"),
    ("Include cross terms", "Also try products of two independent series"),
    ("Lagged Dependent", "Use the series of the previous period as an independent series"),
    ("Maximum lag:", "Largest lag of the independent series that is tried"),
    ("Census X-11", "Decompose the series into trend-cycle, seasonal and irregular parts"),
    ("Additive", "The components are added"),
    ("Multiplicative", "The components are multiplied"),
    ("Trading Days", "Adjust for the number of trading days in each period"),
    ("Extreme value limits:", "Limits in standard deviations for extreme irregular values"),
    ("Henderson curve:", "Number of terms of the Henderson trend curve"),
    ("Decomposition", "Forecast the deseasonalized series and apply the seasonal indexes"),
    ("Decomposition type:", "How the seasonal indexes combine with the trend"),
    ("Base method:", "The method that forecasts the deseasonalized series"),
    ("Erlang B", "Blocking probability of a queue without waiting room"),
    ("Erlang C", "Waiting probability of a queue with waiting room"),
    ("Poisson", "Probability of the number of arrivals in a period"),
    ("Traffic intensity:", "Offered load in Erlangs"),
    ("Number of agents:", "Number of servers that answer the calls"),
    ("Grade of service:", "Share of the calls that may be blocked or wait"),
    ("Average handling time:", "Mean time that one call occupies a server"),
    ("Target answer time:", "The time within which calls should be answered"),
    ("Solve for:", "The item that is computed from the others"),
    ("New-Product Curves", "Forecast a product with little history by a growth curve"),
    ("Gompertz", "An S-shaped curve that slows down before saturation"),
    ("Logistic", "A symmetric S-shaped growth curve"),
    ("Probit", "A growth curve shaped like the normal distribution function"),
    ("Best Curve", "Fit every curve and keep the best"),
    ("Saturation level:", "The level that the curve approaches"),
    ("Bass Diffusion", "Adoption by innovators and imitators"),
    ("Innovation coefficient:", "Share of the market that adopts on its own"),
    ("Imitation coefficient:", "Influence of earlier adopters on new ones"),
    ("Market size:", "Total number of adopters"),
    ("Box-Jenkins", "Fit an ARIMA model to the series"),
    ("Automatic identification", "Identify the model orders from the autocorrelations"),
    ("AR order (p):", "Number of autoregressive terms"),
    ("Differencing (d):", "Number of regular differences"),
    ("MA order (q):", "Number of moving-average terms"),
    ("Seasonal AR order (P):", "Number of seasonal autoregressive terms"),
    ("Seasonal differencing (D):", "Number of seasonal differences"),
    ("Seasonal MA order (Q):", "Number of seasonal moving-average terms"),
    ("Include constant", "Add a constant term to the model"),
    ("Backcasting", "Estimate the values before the first observation"),
    ("Croston", "Forecast intermittent demand by its size and interval"),
    ("Slow-Moving Demand", "Forecast rare demand by simulation"),
    ("Average", "Forecast by the mean of every period"),
    ("Lagged Forecast", "Forecast by the value of an earlier period"),
    ("Lag:", "Number of periods back"),
    ("Seasonality type:", "How the seasonal pattern is modelled"),
    ("No seasonality", "The series has no seasonal pattern"),
    ("Additive seasonality", "The seasonal effect is a fixed amount"),
    ("Multiplicative seasonality", "The seasonal effect is a share of the level"),
    ("Seasonal length:", "Number of periods in one season"),
    ("Detect seasonal length", "Find the seasonal length from the autocorrelations"),
    ("Initial values:", "How the starting level and trend are chosen"),
    ("From the first periods", "Start from the first observations"),
    ("Backward smoothing", "Start from a level smoothed backwards from the last value"),
    ("Optimization tolerance:", "Precision of the search for the best constants"),
    ("Maximum iterations:", "Largest number of steps of the search"),
    ("Confidence level:", "Probability that the actual value falls in the interval"),
    ("Show confidence intervals", "Draw the upper and lower limits of the forecast"),
    ("Event Index", "Model the effect of promotions and other events"),
    ("Event series:", "The series that marks the periods with an event"),
    ("Independent series:", "The series that explain the dependent series"),
    ("Dependent series:", "The series that is forecast"),
    ("Significance level:", "Probability of a wrong rejection in the tests"),
    ("Fit Criterion", "The measure minimized when the constants are fitted"),
    ("Sum of squared errors", "Fit by the smallest sum of squared errors"),
    ("Mean absolute error", "Fit by the smallest mean absolute error"),
    ("Rank methods", "List the methods from best to worst"),
    ("Methods to try:", "The methods that the automatic selection compares"),
    ("Use holdback for selection", "Rank the methods on the held-back periods"),
    ("Random series", "Generate a series of random values"),
    ("Distribution:", "The distribution of the random values"),
    ("Mean:", "The mean of the distribution"),
    ("Standard deviation:", "The standard deviation of the distribution"),
    ("Fourier terms:", "Number of harmonics used for the seasonal pattern"),
    ("Histogram classes:", "Number of classes of the histogram"),
]
method_rows = with_tips(method_settings)  # 18 rows: 166-183
method_rows.append("<< Back")              # 184
method_rows += with_tips(methods_tail)     # from 185
span(166, 369, method_rows[:369 - 166 + 1]) if len(method_rows) >= 204 else None
if 369 not in texts:
    extra = []
    n = 1
    while len(method_rows) + len(extra) < 204:
        extra.append("Advanced setting %d" % n)
        n += 1
    span(166, 369, method_rows + extra)

# 370-393: manual adjustment.
adjust = []
for what in ("Percent", "Value"):
    adjust += [
        "Adjust by %s" % what,
        "Change the selected periods by a %s" % what.lower(),
        "%s:" % what,
        "Increase by %s" % what.lower(),
        "Decrease by %s" % what.lower(),
        "Set to %s" % what.lower(),
    ]
adjust += [
    "Manual Adjustment", "Adjust the forecast by hand", "Apply to all series",
    "Apply to the selected series", "From period:", "To period:",
    "Undo Adjustment", "Redo Adjustment", "Adjusted", "Original",
    "Keep the adjustment for the next forecast", "Adjustment note:",
]
span(370, 393, adjust)

# 394-419: grouped forecasts.
span(394, 419, with_tips([
    ("Grouped Forecast", "Forecast the series of a hierarchy together"),
    ("Bottom-Up", "Forecast the items and add them up to the groups"),
    ("Top-Down", "Forecast the group and allocate it to the items"),
    ("Allocation basis:", "How the group forecast is shared among the items"),
    ("By historical share", "Share in proportion to the items' history"),
    ("By forecast share", "Share in proportion to the items' own forecasts"),
    ("Share periods:", "Number of recent periods that set the shares"),
    ("Group column:", "The column that names the group of each series"),
    ("Subtotal", "Add a total row for every group"),
    ("Grand Total", "Add one total row for all series"),
    ("Group level:", "The level of the hierarchy that is forecast"),
    ("Reconcile", "Make the item forecasts add up to the group forecast"),
    ("Group Name", "The name shown for the group"),
]))

# 420-434: distribution requirements planning.
span(420, 434, [
    "Distribution Requirements Planning", "Lead time:", "Lead time in periods",
    "Safety stock:", "Safety stock in units", "Reorder point:",
    "Reorder quantity:", "Order multiple:", "Minimum order:", "On hand:",
    "On order:", "Planned receipts", "Planned orders", "Projected on hand",
    "Net requirements",
])

# 435-457: scenarios, preview, regression options.
span(435, 457, [
    "Open Scenario", "Save Scenario", "Save Scenario As...", "Scenario name:",
    "Delete Scenario", "Scenarios", "Preview", "Show preview",
    "Preview the forecast before it is written", "Regression Options",
    "Show the regression statistics", "Show the residuals",
    "Show the correlation matrix", "Show the ANOVA table",
    "Show the coefficient table", "Include the intercept",
    "Durbin-Watson test", "Cochrane-Orcutt correction",
    "Standardized coefficients", "Confidence bands", "Prediction bands",
    "Scenario saved.", "Scenario opened.",
])

# 458-564: report options; 562-564 close the page.
report = [
    "Reports", "Report Options", "Audit Trail", "Audit Trail Report",
    "Write every step of the forecast", "Executive Report",
    "Summary of the forecasts for managers", "Pivot Table Report",
    "The forecasts as a pivot table", "Standard Report",
    "Data, fitted values and forecasts", "Text Output", "CSV Output",
    "Write the report as plain text", "Write the report as comma-separated values",
    "Output file:", "Browse...", "Bursting", "One report file per series",
    "Appending", "Append to the existing report", "Replace the existing report",
    "Annotation", "Add a note to each series", "Note:", "Report title:",
    "Report date", "Include the data", "Include the fitted values",
    "Include the forecasts", "Include the errors", "Include the statistics",
    "Include the graphs", "Include the parameters", "Include the method name",
    "New worksheet", "Existing worksheet", "New workbook", "Start cell:",
    "Sheet name:", "Overwrite", "Ask before overwriting",
]
parts = ["Data", "Fitted Values", "Forecasts", "Errors", "Statistics",
         "Graphs", "Parameters", "Confidence Limits", "Seasonal Indexes",
         "Residuals", "Summary", "Method Ranking", "Holdback Results"]
for p in parts:
    report += ["Show %s" % p, "Write the %s in the report" % p.lower()]
for n in range(1, 1 + (562 - 458) - len(report)):
    report.append("Report column %d" % n)
report += ["Group By", "Statistics", "Reports"]
span(458, 564, report)

# 565-617: safety stock, slow-moving demand and other dialog texts.
other = [
    "Safety Stock", "Service Level", "Service level (%):", "Fill rate (%):",
    "Review period:", "Safety stock method:", "By service level",
    "By fill rate", "By periods of supply", "Periods of supply:",
    "Slow-Moving Demand", "Historical service level", "Target service level",
    "Simulation runs:", "Demand distribution:", "Percentile:",
    "Include lead-time variability", "Lead-time standard deviation:",
    "Order cycle:", "Show inventory graph",
]
for n in range(1, 1 + (617 - 565 + 1) - len(other)):
    other.append("Option %d" % n)
span(565, 617, other)

# 618-619.
span(618, 619, ["Statistics to output", "Analyses to output"])

# 620-717: the statistics page: accuracy measures and analyses, and the
# explanations of their selection fields.
measures = [
    ("Mean Error", "the average of the errors"),
    ("Mean Absolute Error", "the average size of the errors"),
    ("Mean Squared Error", "the average of the squared errors"),
    ("Root Mean Squared Error", "the square root of the mean squared error"),
    ("Mean Percentage Error", "the average of the errors as fractions of the actual values"),
    ("Mean Absolute Percentage Error", "the average size of the errors as fractions of the actual values"),
    ("Symmetric MAPE", "the absolute errors relative to the mean of the actual and fitted values"),
    ("Median Absolute Percentage Error", "the middle value of the percentage errors"),
    ("Theil's U", "the errors compared with those of a naive forecast"),
    ("Durbin-Watson", "the test for autocorrelation of the errors"),
    ("R Square", "the share of the variation that the fit explains"),
    ("Adjusted R Square", "the R square corrected for the number of parameters"),
    ("AIC", "the Akaike information criterion of the fit"),
    ("BIC", "the Bayesian information criterion of the fit"),
    ("Ljung-Box", "the test for autocorrelation up to a lag"),
    ("Tracking Signal", "the running sum of the errors over the mean absolute error"),
    ("Standard Deviation", "the spread of the values around their mean"),
    ("Variance", "the square of the standard deviation"),
    ("Mean", "the average of the values"),
    ("Median", "the middle value"),
    ("Minimum", "the smallest value"),
    ("Maximum", "the largest value"),
    ("Range", "the largest value minus the smallest"),
    ("Skewness", "the asymmetry of the distribution"),
    ("Kurtosis", "the peakedness of the distribution"),
    ("Coefficient of Variation", "the standard deviation over the mean"),
    ("Autocorrelation", "the correlation of the series with itself at each lag"),
    ("Partial Autocorrelation", "the autocorrelation after removing the shorter lags"),
    ("Histogram", "the frequencies of the values in classes"),
    ("Fourier Coefficients", "the harmonics of the series"),
    ("Seasonal Indexes", "the seasonal pattern of the series"),
    ("T-Test", "the significance of the model coefficients"),
    ("Chi-Square", "the goodness of fit of the distribution"),
    ("Box-Cox", "the best power transformation of the series"),
    ("Standardized MAE", "the mean absolute error over the mean of the values"),
    ("Rolling MAPE", "the mean absolute percentage error over a moving window"),
    ("Cumulative MAPE", "the mean absolute percentage error up to each period"),
    ("Confidence Interval", "the limits that the actual value falls in with the chosen probability"),
    ("Holdback Error", "the errors of the forecast over the held-back periods"),
    ("Forecast Rank", "the place of each method in the ranking"),
    ("Number of Observations", "the count of the values used in the fit"),
    ("Sum of Squared Errors", "the sum of the squared errors of the fit"),
    ("Sum of Squared Regression", "the variation that the regression explains"),
    ("Standard Error", "the standard deviation of the errors"),
    ("Correlation Matrix", "the correlations between every pair of series"),
    ("Covariance Matrix", "the covariances between every pair of series"),
    ("Determination Matrix", "the coefficients of determination between every pair of series"),
    ("Historical Service Level", "the share of periods whose demand the stock would have met"),
    ("Trend", "the slope of the straight line through the values"),
]
stats_page = [name for name, _ in measures]
stats_page += ["Select %s to write %s for each series." % (
    "this field" if i % 2 else "this box", what) for i, (_, what) in enumerate(measures)]
span(620, 717, stats_page)
# A long explanation: selection fields whose texts run past 256 characters.
texts[717] = ("Select this box to write the historical service level of each series: "
              "the share of the past periods in which the stock that the safety-stock "
              "settings would have held covers the demand of the period, with the lead "
              "time and the review period of the safety-stock page.")

# 718-737: dialog titles.
span(718, 737, [
    "Forecast Wizard", "Data Cleansing", "Data Transformation",
    "Profit Estimation", "Forecast Method", "Advanced Settings",
    "Manual Adjustment", "Grouped Forecast", "Distribution Requirements Planning",
    "Scenario", "Report Options", "Safety Stock", "Statistics",
    "Holdback Evaluation", "Box-Jenkins Settings", "Census X-11 Settings",
    "Regression Settings", "Erlang Settings", "New-Product Curve Settings",
    "About the Forecast Wizard",
])

# 738-785: general messages.
span(738, 785, [
    "There is a printing problem.  Please check the printer and try to print again.",
    "Graph export is reserved (",
    ") for future use.",
    "The data range is not valid. Please select a range that holds numbers.",
    "Not Enough Data to Analysis",
    "ACF",
    "PACF",
    "The graph was exported to ",
    "The graph could not be exported.",
    "The selected range is empty.",
    "The selected range holds text where numbers are expected: ",
    "The dates are not in order.",
    "The data range overlaps the output range.",
    "LN - ",
    "SQRT - ",
    "SQR - ",
    "BOXCOX - ",
    "TRAN - ",
    "Do you want to save the changes?",
    "Do you want to save the scenario before closing?",
    "The file was saved.",
    "The file could not be saved.",
    "The file could not be opened.",
    "The file is not a scenario file.",
    "Printing...",
    "Printing page ",
    "Print cancelled.",
    "Exporting graph...",
    "Row ",
    "Column ",
    "Cell ",
    "Calculating...",
    "Adjusting data series ",
    "Forecasting series ",
    "Writing the report...",
    "Please wait...",
    "Open",
    "Save As",
    "Quendar Files (*.qd)",
    "*.qd",
    "Text Files (*.txt)",
    "Quendar Files (*.qd),*.qd,Text Files (*.txt),*.txt,All Files (*.*),*.*",
    "Open Scenario",
    "Save Scenario",
    "Quendar Files (*.qd)|*.qd|Text Files (*.txt)|*.txt|All Files (*.*)|*.*",
    "Open Data File",
    "Save Data File",
    "Quendar Files (*.qd)|*.qd|Text Files (*.txt)|*.txt|All Files (*.*)|*.*",
])

# 786-813: names of the forecasting methods.
span(786, 813, [
    "Moving Average", "Weighted Moving Average", "Exponential Smoothing",
    "Adaptive Exponential Smoothing", "Double Exponential Smoothing (Brown)",
    "Double Exponential Smoothing (Holt)", "Triple Exponential Smoothing (Brown)",
    "Holt-Winters", "Linear Regression", "Multiple Regression",
    "Stepwise Regression", "Polynomial Regression", "Box-Jenkins",
    "Census X-11", "Bass Model", "Croston", "Gompertz Curve",
    "Logistic Curve", "Probit Curve", "Best New-Product Curve",
    "Average", "Lagged Forecast", "Slow-Moving Demand", "Decomposition",
    "Event Index", "Automatic Selection", "Manual Forecast", "No Forecast",
])

# 814-823: accuracy measures.
span(814, 823, [
    "Mean Squared Error", "Mean Absolute Error", "Mean Absolute Percentage Error",
    "Root Mean Squared Error", "Mean Error", "Mean Percentage Error",
    "Theil's U", "R Square", "AIC", "BIC",
])

# 824-832: time scales.
span(824, 832, [
    "Hourly", "Daily", "Weekly", "Monthly", "Quarterly", "Half-Yearly",
    "Yearly", "4 Weeks", "64 Weeks",
])

# 833-843: title and role labels.
span(833, 843, [
    "Event Flag", "No Event", "Trading Days", "Traffic (Erlangs)",
    "Blocking Probability", "Number of Trunks", "Calls per Period",
    "Average Call Duration", "Agents", "Waiting Probability",
    "Poisson Probability",
])
span(844, 844, ["Role"])

# 845-870: output, help-launch and report-type messages.
span(845, 870, [
    "The output was written to ", "The output could not be written.",
    "Output sheet: ", "Output file: ", "The help file could not be found.",
    "Starting the help...", "Help topic not found.", "Audit trail report",
    "Executive report", "Pivot table report", "Standard report",
    "Text report", "CSV report", "Report type: ", "The report was appended to ",
    "The report replaced ", "Writing series ", " of ", "Report finished.",
    "Report cancelled.", "No series was selected for the report.",
    "The report is too large for one worksheet.", "Continued on sheet ",
    "Output range: ", "Help", "Contents",
])

# 871-1093: report contents.
contents = [
    "Audit Trail", "Forecast Audit Trail", "Series: ", "Method: ",
    "Seasonal length: ", "Decomposition type: ", "Number of observations: ",
    "Number of forecast periods: ", "Fitting the model...", "Model fitted.",
    "Testing the residuals...", "Selecting the method...", "Ranking the methods...",
    "Best method: ", "Statistics", "Value", "Period", "Actual", "Fitted",
    "Forecast", "Error", "Percent Error", "Lower Limit", "Upper Limit",
    "Component", "Trend-Cycle", "Seasonal", "Irregular", "Seasonally Adjusted",
    "Trading-Day Factor", "Extreme Values", "Henderson Filter",
    "Seasonal Filter", "Preliminary Estimate", "Final Estimate",
    "Configuration", "Parameter", "Setting", "ANOVA", "Source",
    "Degrees of Freedom", "Sum of Squares", "Mean Square", "F Value",
    "Probability", "Regression", "Residual", "Total", "Coefficients",
    "Coefficient", "Standard Error", "t Value", "Intercept", "Variable",
    "Lag", "Significant", "Not significant",
]
components = ["Level", "Trend", "Seasonal Index", "Alpha", "Beta", "Gamma",
              "AR Coefficient", "MA Coefficient", "Seasonal AR Coefficient",
              "Seasonal MA Coefficient", "Constant", "Differencing Order",
              "Seasonal Differencing Order", "Event Index", "Saturation",
              "Growth Rate", "Inflection Point", "Innovation", "Imitation",
              "Market Size", "Demand Size", "Demand Interval", "Safety Stock",
              "Service Level", "Reorder Point", "Table"]
for c in components:
    contents += ["Initial %s" % c, "Final %s" % c, "%s (%%)" % c,
                 "X-11 Table %s" % c, "%s per period" % c, "%s, standard error" % c]
n = 1
while len(contents) < 1093 - 871 + 1:
    contents.append("Table D%d" % n)
    n += 1
span(871, 1093, contents[:1093 - 871 + 1])

# 1094-1205: display names of quantity types and settings, alphabetical
# (1203 is kept as the pseudo set shows it).
names = [
    "Accuracy", "ACF", "Adaptive Exponential Smoothing", "Adjusted R Square",
    "AIC", "Alpha", "AR Order", "Autocorrelation", "Average", "Bass Model",
    "Beta", "BIC", "Box-Cox", "Box-Jenkins", "Census X-11", "Chi-Square",
    "Cochrane-Orcutt", "Coefficient of Determination", "Coefficient of Variation",
    "Confidence Interval", "Constant", "Correlation", "Covariance",
    "Croston", "Cumulative MAPE", "Decomposition Index", "Decomposition Type",
    "Degrees of Freedom", "Demand Interval", "Demand Size", "Differencing Order",
    "Double Exponential Smoothing (Brown)", "Double Exponential Smoothing (Holt)",
    "Durbin-Watson", "Erlang B", "Erlang C", "Error", "Error Term",
    "Event Index", "Exponential Smoothing", "F Value", "Final Level",
    "Final Trend", "Fitted Value", "Forecast", "Forecast Rank",
    "Fourier Coefficients", "Gamma", "Gompertz Curve", "Histogram",
    "Historical Service Level", "Holt-Winters", "Imitation", "Initial Level",
    "Initial Trend", "Innovation", "Intercept", "Kurtosis", "Lag",
    "Lagged Forecast", "Linear Regression", "Ljung-Box", "Logistic Curve",
    "MA Order", "Market Size", "Maximum", "Mean", "Mean Absolute Error",
    "Mean Absolute Percentage Error", "Mean Error", "Mean Percentage Error",
    "Mean Squared Error", "Median", "Minimum", "Moving Average",
    "Multiple Regression", "Number of Observations", "PACF",
    "Partial Autocorrelation", "Poisson", "Polynomial Regression",
    "Probit Curve", "R Square", "Random Series", "Range", "Reorder Point",
    "Residual", "Rolling MAPE", "Root Mean Squared Error", "Safety Stock",
    "Saturation", "Seasonal AR Order", "Seasonal Index", "Seasonal Length",
    "Seasonal MA Order", "Service Level", "Skewness", "Slow-Moving Demand",
    "Standard Deviation", "Standard Error", "Standardized MAE",
    "Stepwise Regression", "Sum of Squared Errors", "Sum of Squared Regression",
    "t Value", "Theil's U", "Tracking Signal", "Trading Days",
    "Triple Exponential Smoothing (Brown)", "TS SAD MAD", "Variance",
    "Weighted Moving Average",
]
if [s.lower() for s in names] != sorted(s.lower() for s in names):
    raise SystemExit("display names out of order")
span(1094, 1205, names)

# 1206-1275: validation messages.
checks = []
subjects = ["event flags", "trading days", "Erlang C data", "stepwise settings",
            "polynomial settings", "seasonal length", "regression", "data selection"]
for s in subjects:
    checks += [
        "The %s are not valid." % s if s.endswith("s") else "The %s is not valid." % s,
        "Please check the %s and try again." % s,
        "The %s must be numbers." % s if s.endswith("s") else "The %s must be a number." % s,
    ]
checks += [
    "Event flags must be 0 or 1.",
    "The event series must have as many periods as the dependent series.",
    "Trading days must lie between 0 and 31.",
    "The trading-day series is missing.",
    "Erlang C needs the traffic, the agents and the handling time.",
    "The number of agents must exceed the traffic in Erlangs.",
    "The grade of service must lie between 0 and 1.",
    "F to enter must not be smaller than F to remove.",
    "Choose at least one independent series.",
    "The maximum lag is too large for the data.",
    "The polynomial degree must lie between 1 and 5.",
    "Too many polynomial terms for the number of observations.",
    "The seasonal length must be at least 2.",
    "The seasonal length must not exceed half the number of observations.",
    "At least two full seasons are needed for a seasonal method.",
    "The dependent series is missing.",
    "The independent series must have as many periods as the dependent series.",
    "The independent series are collinear.",
]
n = 1
while len(checks) < 1261 - 1206:
    checks.append("Check %d failed." % n)
    n += 1
checks.append("Regression failed.")
checks += [
    "The regression could not be solved: the matrix is singular.",
    "Select a data range first.",
    "The selection holds no numbers.",
    "Select one column or one row per series.",
    "The selection is too small.",
    "Select the dates as well.",
    "The selection holds merged cells.",
    "The dates and the values do not line up.",
    "Only one series may be selected for this method.",
    "Select at least two series for this method.",
    "The selection must not include the output range.",
    "Hidden rows are ignored.",
    "Selected series: ",
    "Selection changed.",
]
span(1206, 1275, checks)

# 1276-1366: planning, executive-summary and pivot-table texts.
plan = [
    "Planning", "Plan", "Planned Quantity", "Planned Order Release",
    "Planned Order Receipt", "Gross Requirements", "Scheduled Receipts",
    "Projected Available", "Executive Summary", "Total Forecast",
    "Change from last year", "Growth", "Largest series", "Smallest series",
    "Average accuracy", "Series forecast", "Series not forecast",
    "Methods used", "Pivot Table", "Row Field", "Column Field", "Data Field",
    "Page Field", "Sum of Forecast", "Sum of Actual", "Count of Series",
    "Average of Error", "Grand Total", "(blank)", "(All)",
]
for month in ["January", "February", "March", "April", "May", "June", "July",
              "August", "September", "October", "November", "December"]:
    plan += [month, "Plan for " + month]
for q in range(1, 5):
    plan += ["Q%d" % q, "Quarter %d" % q]
n = 1
while len(plan) < 1366 - 1276 + 1:
    plan.append("Planning item %d" % n)
    n += 1
span(1276, 1366, plan)

# 1367-1493: error dialog texts and titles, chart and summary texts; 1421
# is fixed, and a few texts run past 256 characters.
errors = [
    "Error", "Warning", "Information", "Forecast Error", "Data Error",
    "File Error", "Print Error", "Report Error", "Chart", "Chart Title",
    "Axis Title", "Period", "Value", "Legend", "Actual Data", "Fitted Data",
    "Forecast Data", "Upper Limit", "Lower Limit", "Summary",
    "An unexpected error occurred: ",
    "The forecast engine could not be started.",
    "The forecast engine reported an error: ",
    "Error number: ",
    "The method could not be applied to series ",
    "The computation did not converge.",
    "The value is out of range.",
    "Division by zero.",
    "Not enough memory.",
    "The operation was cancelled.",
]
n = 1
while len(errors) < 1421 - 1367:
    errors.append("Chart text %d" % n)
    n += 1
errors.append("Data set is too small for this forecast/compute method.")
errors += [
    ("The forecast could not be completed because the data range changed while "
     "the wizard was open. Close the wizard, check that the worksheet still holds "
     "the series in the same rows or columns, select the data range again and "
     "start the forecast from the first page."),
    ("The report could not be written because the output file is open in another "
     "program or the folder is read-only. Close the file in the other program or "
     "choose another folder on the report page, then write the report again; the "
     "forecasts are kept until the wizard closes."),
    # The longest text of the table (270 characters).
    ("The wizard could not find a forecasting method that fits this series: "
     "each method failed or had too few observations for its parameters. "
     "Check the data for missing values or zeros, shorten the "
     "seasonal length or the holdback, or choose a simpler method and try it again."),
]
n = 1
while len(errors) < 1493 - 1367 + 1:
    errors.append("Summary line %d" % n)
    n += 1
span(1367, 1493, errors)

# 1494-1498: the last texts of the set.
span(1494, 1498, ["Version ", "Copyright", "All rights reserved.",
                  "Licensed to: ", "Unregistered copy"])

# Rows of the pseudo-localized set that the table keeps as they are
# instead of following the "ñ_" copy rule.
PSEUDO_KEPT = {
    562: PSEUDO_PREFIX + "Statistics",
    563: PSEUDO_PREFIX + "Reports",
    564: PSEUDO_PREFIX + "Group By",
    1203: PSEUDO_PREFIX + "IDS_HCL_ITM466",
}


def main():
    missing = [n for n in range(1, COUNT + 1) if n not in texts]
    if missing or len(texts) != COUNT:
        raise SystemExit("missing texts: %s" % missing[:10])
    for n, t in texts.items():
        if not t or "\t" in t or "\n" in t:
            raise SystemExit("text %d is empty or holds a tab or line break" % n)
    if max(len(t) for t in texts.values()) != 270 or len(texts[1424]) != 270:
        raise SystemExit("the longest text must have 270 characters")
    lines = []
    for n in range(1, COUNT + 1):
        lines.append("%d\t%s" % (ENGLISH_BASE + n, texts[n]))
    for n in range(1, COUNT + 1):
        lines.append("%d\t%s" % (PSEUDO_BASE + n,
                                 PSEUDO_KEPT.get(n, PSEUDO_PREFIX + texts[n])))
    with open(sys.argv[1], "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
